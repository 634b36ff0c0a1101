#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "framework/parameter.h"

namespace {

std::string Display(const IParameter& param) {
  char text[IParameter::kTextSize];
  param.FormatValue(text);
  return text;
}

TEST(IParameterMapping, LinearShapeMapsBothWays) {
  IParameter param;
  param.DefineDouble("Level", 0.0, 0.0, 1.0, 0.001);
  EXPECT_DOUBLE_EQ(param.SetFromNormalized(0.25), 0.25);
  EXPECT_DOUBLE_EQ(param.Value(), 0.25);
  EXPECT_DOUBLE_EQ(param.ToNormalized(0.25), 0.25);
}

TEST(IParameterMapping, ShapeExponentBendsTheCurve) {
  IParameter param;
  param.DefineDouble("Cutoff", 20.0, 20.0, 20000.0, 1.0, "Hz", 2.0);
  param.SetFromNormalized(0.5);
  EXPECT_DOUBLE_EQ(param.Value(), 5015.0);
  EXPECT_DOUBLE_EQ(param.ToNormalized(5015.0), 0.5);
  EXPECT_DOUBLE_EQ(param.GetNormalized(), 0.5);
}

TEST(IParameterMapping, NormalizedValuesOutsideTheUnitRangeAreClamped) {
  IParameter param;
  param.DefineDouble("Cutoff", 100.0, 20.0, 20000.0, 1.0, "", 2.0);
  param.SetFromNormalized(-0.5);
  EXPECT_DOUBLE_EQ(param.Value(), 20.0);
  param.SetFromNormalized(1.5);
  EXPECT_DOUBLE_EQ(param.Value(), 20000.0);
  param.SetClamped(300.0);
  param.SetFromNormalized(std::numeric_limits<double>::quiet_NaN());
  EXPECT_DOUBLE_EQ(param.Value(), 300.0);
}

TEST(IParameterMapping, PlainValuesOutsideTheRangeGiveTheEnds) {
  IParameter param;
  param.DefineDouble("Gain", 0.0, -10.0, 10.0, 0.1);
  EXPECT_DOUBLE_EQ(param.ToNormalized(50.0), 1.0);
  EXPECT_DOUBLE_EQ(param.ToNormalized(-50.0), 0.0);
  EXPECT_DOUBLE_EQ(param.ToNormalized(std::numeric_limits<double>::quiet_NaN()), 0.0);
  param.SetClamped(std::numeric_limits<double>::quiet_NaN());
  EXPECT_DOUBLE_EQ(param.Value(), 0.0);
  param.SetClamped(11.0);
  EXPECT_DOUBLE_EQ(param.Value(), 10.0);
}

TEST(IParameterDefine, MaxIsAtLeastMinPlusStep) {
  IParameter param;
  param.DefineDouble("Flat", 0.0, 0.0, 0.0, 1.0);
  EXPECT_DOUBLE_EQ(param.Max(), 1.0);
  EXPECT_EQ(param.Type(), kTypeDouble);
  IParameter inverted;
  inverted.DefineDouble("Inverted", 5.0, 5.0, 1.0, -1.0);
  EXPECT_DOUBLE_EQ(inverted.Max(), 5.0);
  inverted.SetClamped(7.0);
  EXPECT_DOUBLE_EQ(inverted.Value(), 5.0);
}

TEST(IParameterDefine, PrecisionIsTheNumberOfDecimalsOfTheStep) {
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

TEST(IParameterDefine, AZeroOrUnusableShapeKeepsThePreviousOne) {
  IParameter param;
  param.DefineDouble("P", 0.0, 0.0, 1.0, 0.01, "", 3.0);
  param.DefineDouble("P", 0.0, 0.0, 1.0, 0.01, "", 0.0);
  EXPECT_DOUBLE_EQ(param.Shape(), 3.0);
  param.DefineDouble("P", 0.0, 0.0, 1.0, 0.01, "", -2.0);
  EXPECT_DOUBLE_EQ(param.Shape(), 3.0);
}

TEST(IParameterDefine, NamesAndLabelsAreCutAt31Characters) {
  IParameter param;
  const char* longName = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij";
  param.DefineDouble(longName, 0.0, 0.0, 1.0, 0.01, longName);
  EXPECT_EQ(std::strlen(param.Name()), 31u);
  EXPECT_EQ(std::strncmp(param.Name(), longName, 31), 0);
  EXPECT_EQ(std::strlen(param.Label()), 31u);
}

TEST(IParameterDisplay, PrecisionDecidesTheDecimals) {
  IParameter param;
  param.DefineDouble("P", 0.5, 0.0, 10.0, 0.01);
  EXPECT_EQ(Display(param), "0.50");
  IParameter whole;
  whole.DefineDouble("W", 3.7, 0.0, 10.0, 1.0);
  EXPECT_EQ(Display(whole), "3");
  whole.SetClamped(-0.0);
  whole.SetNegateDisplay(true);
  EXPECT_EQ(Display(whole), "0");
}

TEST(IParameterDisplay, NegatedDisplayShowsTheNegativeValue) {
  IParameter param;
  param.DefineDouble("P", 0.5, 0.0, 10.0, 0.01);
  param.SetNegateDisplay(true);
  EXPECT_EQ(Display(param), "-0.50");
  param.SetClamped(0.0);
  EXPECT_EQ(Display(param), "0.00");
}

TEST(IParameterDisplay, HugeValuesStayWithinTheTextSize) {
  IParameter param;
  param.DefineDouble("Big", 1e300, 0.0, 1e300, 1e-6);
  char text[IParameter::kTextSize + 8];
  std::memset(text, 'Z', sizeof text);
  param.FormatValue(text);
  EXPECT_EQ(text[IParameter::kTextSize], 'Z');
  EXPECT_LT(std::strlen(text), static_cast<size_t>(IParameter::kTextSize));
  IParameter whole;
  whole.DefineDouble("Big", 1e20, 0.0, 1e20, 1.0);
  whole.FormatValue(text);
  EXPECT_STREQ(text, "100000000000000000000");
}

TEST(IParameterDisplay, DisplayTextsShowTheTruncatedValue) {
  IParameter param;
  param.DefineDouble("Mode", 0.0, 0.0, 3.0, 0.1, "units");
  ASSERT_TRUE(param.SetDisplayText(1, "On"));
  ASSERT_TRUE(param.SetDisplayText(2, ""));
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
  EXPECT_EQ(param.DisplayTextCount(), 2);
}

TEST(IParameterDisplay, FormatValueForMapsNormalizedValuesFirst) {
  IParameter param;
  param.DefineDouble("P", 0.0, 0.0, 100.0, 0.1);
  char text[IParameter::kTextSize];
  param.FormatValueFor(0.25, true, text, true);
  EXPECT_STREQ(text, "25.0");
  param.FormatValueFor(7.0, false, text, true);
  EXPECT_STREQ(text, "7.0");
  param.SetDisplayText(25, "quarter");
  param.FormatValueFor(0.25, true, text, true);
  EXPECT_STREQ(text, "quarter");
  param.FormatValueFor(0.25, true, text, false);
  EXPECT_STREQ(text, "25.0");
}

}  // namespace
