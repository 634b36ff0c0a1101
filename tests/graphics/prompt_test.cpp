#include <string>

#include <gtest/gtest.h>

#include "framework/parameter.h"
#include "graphics/graphics.h"

namespace {

TEST(EntryText, TextBecomesAClampedValueOrIsRefused) {
  IParameter param;
  param.DefineDouble("Level", 0.0, -10.0, 10.0, 0.01);
  struct Row {
    const char* text;
    bool taken;
    double value;
  };
  const Row rows[] = {
      {"5", true, 5.0},    {"  2.5", true, 2.5},  {"+3", true, 3.0},         {"-4.5e0", true, -4.5},
      {"1,5", true, 1.0},  {"12abc", true, 10.0}, {"abc", true, 0.0},        {"-", true, 0.0},
      {".5", true, 0.5},   {"-99", true, -10.0},  {"", false, 0.0},          {"   ", false, 0.0},
      {"nan", false, 0.0}, {"inf", false, 0.0},   {"-Infinity", false, 0.0}, {"1e999", false, 0.0},
      {"1e-400", true, 0}, {"-1e-400", true, 0},  {"20e307", false, 0.0},    {".1e-323", true, 0},
  };
  for (const Row& row : rows) {
    double v = 123.0;
    EXPECT_EQ(ParseEntryValue(&param, row.text, &v), row.taken) << row.text;
    EXPECT_EQ(v, row.taken ? row.value : 123.0) << row.text;
  }
  param.SetNegateDisplay(true);
  double v = 0.0;
  ASSERT_TRUE(ParseEntryValue(&param, "3", &v));
  EXPECT_EQ(v, -3.0);
  EXPECT_FALSE(ParseEntryValue(nullptr, "3", &v));

  IParameter untyped;
  for (char ch : std::string("+-.0123456789\b"))
    EXPECT_TRUE(EntryAcceptsChar(&param, ch)) << ch;
  for (char ch : std::string("a,eE "))
    EXPECT_FALSE(EntryAcceptsChar(&param, ch)) << ch;
  EXPECT_TRUE(EntryAcceptsChar(&untyped, 'x') && EntryAcceptsChar(nullptr, 'x'));
}

}  // namespace
