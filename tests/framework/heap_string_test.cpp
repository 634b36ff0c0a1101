#include <gtest/gtest.h>

#include <string>

#include "framework/heap_string.h"

namespace {

TEST(HeapString, NeverSetIsEmptyWithSizeZeroAndSetEmptyHasSizeOne) {
  HeapString never;
  EXPECT_STREQ(never.Get(), "");
  EXPECT_EQ(never.Size(), 0);
  HeapString empty("");
  EXPECT_STREQ(empty.Get(), "");
  EXPECT_EQ(empty.Size(), 1);
}

TEST(HeapString, ConstructorStopsAtMaxLenOrTheFirstNul) {
  EXPECT_STREQ(HeapString("abcdef", 3).Get(), "abc");
  EXPECT_STREQ(HeapString("ab\0cd", 5).Get(), "ab");
  EXPECT_STREQ(HeapString("abcdef", 0).Get(), "abcdef");
  EXPECT_STREQ(HeapString("abcdef", -4).Get(), "abcdef");
}

TEST(HeapString, SetReplacesTheTailAndShortensTheSize) {
  HeapString text("Output 12");
  text.Set(7, "3", 1);
  EXPECT_STREQ(text.Get(), "Output 3");
  EXPECT_EQ(text.Size(), 9);
  text.Set(0, "xyz", 0);
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.Size(), 1);
}

TEST(HeapString, InvalidPositionsAndLengthsChangeNothing) {
  HeapString text("keep");
  text.Set(-1, "x", 1);
  text.Set(0, "x", -1);
  text.Set(2, "x", 0);
  EXPECT_STREQ(text.Get(), "keep");
  EXPECT_EQ(text.Size(), 5);
}

TEST(HeapString, SetFromItsOwnBlockSurvivesGrowth) {
  const std::string original(200, 'a');
  HeapString text(original.c_str());
  const int32_t length = text.Length();
  text.Set(length, text.Get(), length);  // appends itself; the block has to move
  EXPECT_EQ(std::string(text.Get()), original + original);
  text.Set(0, text.Get() + 390, 10);
  EXPECT_EQ(std::string(text.Get()), std::string(10, 'a'));
}

TEST(HeapString, WritingBeyondTheEndLeavesNoUndefinedBytes) {
  HeapString text;
  text.Set(3, "x", 1);
  EXPECT_EQ(text.Size(), 5);
  EXPECT_STREQ(text.Get(), "");  // the gap is zeroed, so the text ends at once
}

TEST(HeapString, SetFormattedKeepsExactlyMaxLenAndCutsLonger) {
  HeapString text;
  text.SetFormatted(8, "Output %d", 1);
  EXPECT_STREQ(text.Get(), "Output 1");
  EXPECT_EQ(text.Size(), 9);
  text.SetFormatted(8, "Output %d", 12);
  EXPECT_STREQ(text.Get(), "Output 1");
  text.SetFormatted(0, "%s", "abc");
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.Size(), 1);
  text.Set("kept");
  text.SetFormatted(-1, "%s", "abc");
  EXPECT_STREQ(text.Get(), "kept");
}

}  // namespace
