#include <gtest/gtest.h>

#include <string>

#include "framework/heap_string.h"

namespace {

TEST(HeapString, NeverSetHasSizeZeroAndSetEmptyHasSizeOne) {
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
  EXPECT_STREQ(HeapString("abcdef", -4).Get(), "abcdef");
}

TEST(HeapString, SetReplacesTheTailAndRefusesBadPositions) {
  HeapString text("Output 12");
  text.Set(7, "3", 1);
  EXPECT_STREQ(text.Get(), "Output 3");
  EXPECT_EQ(text.Size(), 9);
  text.Set(-1, "x", 1);
  text.Set(0, "x", -1);
  text.Set(2, "x", 0);
  EXPECT_STREQ(text.Get(), "Output 3");
  text.Set(0, "xyz", 0);
  EXPECT_STREQ(text.Get(), "");
  EXPECT_EQ(text.Size(), 1);

  HeapString gap;
  gap.Set(3, "x", 1);  // the bytes before pos are zeroed, not left undefined
  EXPECT_EQ(gap.Size(), 5);
  EXPECT_STREQ(gap.Get(), "");
}

TEST(HeapString, SetFromItsOwnBlockSurvivesGrowth) {
  const std::string original(200, 'a');
  HeapString text(original.c_str());
  text.Set(200, text.Get(), 200);  // appends itself; the block has to move
  EXPECT_EQ(std::string(text.Get()), original + original);
  text.Set(0, text.Get() + 390, 10);
  EXPECT_EQ(std::string(text.Get()), std::string(10, 'a'));
}

TEST(HeapString, SetFormattedKeepsExactlyMaxLenAndCutsLonger) {
  HeapString text;
  text.SetFormatted(8, "Output %d", 1);
  EXPECT_STREQ(text.Get(), "Output 1");
  EXPECT_EQ(text.Size(), 9);
  text.SetFormatted(8, "Output %d", 12);
  EXPECT_STREQ(text.Get(), "Output 1");
  text.SetFormatted(0, "%s", "abc");
  EXPECT_EQ(text.Size(), 1);
  text.Set("kept");
  text.SetFormatted(-1, "%s", "abc");
  EXPECT_STREQ(text.Get(), "kept");
}

TEST(HeapString, SetFormattedMayReadItsOwnText) {
  HeapString text("ab");
  text.SetFormatted(20, "<%s>", text.Get());
  EXPECT_STREQ(text.Get(), "<ab>");
  const std::string original(300, 'z');
  text.Set(original.c_str());
  text.SetFormatted(1000, "%s-%s", text.Get(), text.Get());  // longer than the block holds
  EXPECT_EQ(std::string(text.Get()), original + "-" + original);
}

}  // namespace
