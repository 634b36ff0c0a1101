#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "framework/parameter.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Display(const IParameter& param) {
  char text[IParameter::kTextSize];
  param.FormatValue(text);
  return text;
}

TEST(IParameter, NormalizedValuesMapThroughRangeAndShape) {
  const struct {
    double min, max, shape, normalized, value;
  } cases[] = {
      {0.0, 1.0, 1.0, 0.25, 0.25},
      {20.0, 20000.0, 2.0, 0.5, 5015.0},  // 20 + 19980 * 0.5^2
      {-10.0, 10.0, 1.0, 1.0, 10.0},
  };
  for (const auto& c : cases) {
    IParameter param;
    param.DefineDouble("P", c.min, c.min, c.max, 0.01, "", c.shape);
    EXPECT_DOUBLE_EQ(param.SetFromNormalized(c.normalized), c.value);
    EXPECT_DOUBLE_EQ(param.Value(), c.value);
    EXPECT_DOUBLE_EQ(param.ToNormalized(c.value), c.normalized);
    EXPECT_DOUBLE_EQ(param.GetNormalized(), c.normalized);
  }
}

TEST(IParameter, ValuesOutsideTheRangesAreClamped) {
  IParameter param;
  param.DefineDouble("Cutoff", 100.0, 20.0, 20000.0, 1.0, "", 2.0);
  param.SetFromNormalized(-0.5);
  EXPECT_DOUBLE_EQ(param.Value(), 20.0);
  param.SetFromNormalized(1.5);
  EXPECT_DOUBLE_EQ(param.Value(), 20000.0);
  param.SetClamped(300.0);
  param.SetFromNormalized(kNaN);
  param.SetClamped(kNaN);
  EXPECT_DOUBLE_EQ(param.Value(), 300.0);
  param.SetClamped(1e9);
  EXPECT_DOUBLE_EQ(param.Value(), 20000.0);

  EXPECT_DOUBLE_EQ(param.ToNormalized(1e9), 1.0);
  EXPECT_DOUBLE_EQ(param.ToNormalized(-50.0), 0.0);
  EXPECT_DOUBLE_EQ(param.ToNormalized(kNaN), 0.0);
}

TEST(IParameter, DefineKeepsTheRangeUsable) {
  IParameter flat;
  flat.DefineDouble("Flat", 0.0, 0.0, 0.0, 1.0);
  EXPECT_DOUBLE_EQ(flat.Max(), 1.0);
  EXPECT_EQ(flat.Type(), kTypeDouble);
  IParameter inverted;
  inverted.DefineDouble("Inverted", 5.0, 5.0, 1.0, -1.0);
  inverted.SetClamped(7.0);
  EXPECT_DOUBLE_EQ(inverted.Value(), 5.0);

  IParameter shaped;  // a shape of 0 (or one that is not positive) keeps the previous one
  shaped.DefineDouble("P", 0.0, 0.0, 1.0, 0.01, "", 3.0);
  shaped.DefineDouble("P", 0.0, 0.0, 1.0, 0.01, "", 0.0);
  shaped.DefineDouble("P", 0.0, 0.0, 1.0, 0.01, "", -2.0);
  EXPECT_DOUBLE_EQ(shaped.Shape(), 3.0);

  // 31 bytes fit: the é in bytes 31 and 32 goes whole.
  const char* longName = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcd\xC3\xA9 ghij";
  shaped.DefineDouble(longName, 0.0, 0.0, 1.0, 0.01, longName);
  EXPECT_EQ(std::string(shaped.Name()), std::string(longName, 30));
  EXPECT_EQ(std::strlen(shaped.Label()), 30u);
}

TEST(IParameter, PrecisionIsTheNumberOfDecimalsOfTheStep) {
  const struct {
    double step;
    int precision;
  } cases[] = {{0.01, 2}, {0.5, 1},  {1.0, 0},   {1e-9, 6}, {0.00001, 5},
               {0.07, 2}, {0.23, 2}, {0.125, 3}, {2.5, 1}};
  for (const auto& c : cases) {
    IParameter param;
    param.DefineDouble("P", 0.0, 0.0, 10.0, c.step);
    EXPECT_EQ(param.DisplayPrecision(), c.precision) << "step " << c.step;
  }
}

TEST(IParameter, DisplayTextFollowsPrecisionAndNegation) {
  const struct {
    double value, step;
    bool negate;
    const char* text;
  } cases[] = {
      {0.5, 0.01, false, "0.50"}, {3.7, 1.0, false, "3"},
      {0.5, 0.01, true, "-0.50"}, {0.0, 0.01, true, "0.00"},
      {0.0, 1.0, true, "0"},      {1e20, 1.0, false, "100000000000000000000"},
  };
  for (const auto& c : cases) {
    IParameter param;
    param.DefineDouble("P", c.value, 0.0, 1e20, c.step);
    param.SetNegateDisplay(c.negate);
    EXPECT_EQ(Display(param), c.text) << c.value;
  }

  IParameter huge;
  huge.DefineDouble("Big", 1e300, 0.0, 1e300, 1e-6);
  char text[IParameter::kTextSize + 8];
  std::memset(text, 'Z', sizeof text);
  huge.FormatValue(text);
  EXPECT_EQ(text[IParameter::kTextSize], 'Z');
}

TEST(IParameter, DisplayTextsShowTheTruncatedValue) {
  IParameter param;
  param.DefineDouble("Mode", 0.0, 0.0, 100.0, 0.1, "units");
  ASSERT_TRUE(param.SetDisplayText(1, "On"));
  ASSERT_TRUE(param.SetDisplayText(2, ""));
  ASSERT_TRUE(param.SetDisplayText(25, "quarter"));
  param.SetClamped(1.7);
  EXPECT_EQ(Display(param), "On");
  EXPECT_STREQ(param.UnitText(), "");
  param.SetClamped(2.0);  // an empty text falls back to the number
  EXPECT_EQ(Display(param), "2.0");
  EXPECT_STREQ(param.UnitText(), "units");
  param.SetClamped(3.0);  // no entry at all
  EXPECT_STREQ(param.UnitText(), "units");

  int32_t value = -1;
  EXPECT_TRUE(param.ValueForDisplayText("On", &value));
  EXPECT_EQ(value, 1);
  EXPECT_FALSE(param.ValueForDisplayText("on", &value));

  char text[IParameter::kTextSize];
  param.FormatValueFor(0.25, true, text, true);
  EXPECT_STREQ(text, "quarter");
  param.FormatValueFor(0.25, true, text, false);
  EXPECT_STREQ(text, "25.0");
  param.FormatValueFor(7.0, false, text, true);
  EXPECT_STREQ(text, "7.0");
}

}  // namespace
