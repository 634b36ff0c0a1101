#include <algorithm>
#include <cmath>

#include "framework/parameter.h"
#include "framework/utf8_text.h"

namespace {

void CopyText(char* out, const char* text) {
  CopyUtf8Cut(out, IParameter::kTextSize, text);
}

// A step counts as whole when it is within a billionth of itself of an integer, so that steps
// like 0.07 (whose tenfold multiples are not exact in binary) still show two decimal places.
bool IsWholeNumber(double s) {
  return std::fabs(s - std::round(s)) <= 1e-9 * std::fabs(s);
}

}  // namespace

void IParameter::DefineDouble(const char* paramName, double defaultVal, double minVal,
                              double maxVal, double stepVal, const char* unitLabel,
                              double shapeVal) {
  if (type == kTypeNone) type = kTypeDouble;
  CopyText(name, paramName);
  CopyText(label, unitLabel);
  group[0] = '\0';
  min = minVal;
  value = defaultVal;
  // Never below min either: a negative step must not leave an inverted range to clamp into.
  max = std::max({maxVal, minVal + stepVal, minVal});
  step = stepVal;
  defaultValue = defaultVal;

  displayPrecision = 0;
  for (double s = stepVal; !IsWholeNumber(s) && displayPrecision < kMaxDisplayPrecision;
       s *= 10.0) {
    ++displayPrecision;
  }
  // x^shape needs a positive exponent; 0 (and anything unusable) keeps the previous shape.
  if (std::isfinite(shapeVal) && shapeVal > 0.0) shape = shapeVal;
}

void IParameter::SetClamped(double v) {
  if (std::isnan(v)) return;
  value = std::clamp(v, min, max);
}

double IParameter::Denormalize(double x) const {
  return min + (max - min) * std::pow(x, shape);
}

double IParameter::SetFromNormalized(double x) {
  if (std::isnan(x)) return value;
  double v = Denormalize(std::clamp(x, 0.0, 1.0));
  if (type != kTypeDouble && std::isfinite(step) && step > 0.0) {
    v = std::floor(v / step + 0.5) * step;  // a multiple of step counted from 0, not from min
  }
  // Rounding to the step may leave the range at its lower end; the value stays inside it.
  value = v < max ? std::max(v, min) : max;
  return v;
}

double IParameter::ToNormalized(double v) const {
  if (std::isnan(v) || !(max > min)) return 0.0;
  const double clamped = std::clamp(v, min, max);
  return std::clamp(std::pow((clamped - min) / (max - min), 1.0 / shape), 0.0, 1.0);
}
