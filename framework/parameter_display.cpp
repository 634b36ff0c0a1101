#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "framework/parameter.h"
#include "framework/utf8_text.h"

namespace {

// Truncates toward zero into an int32; false when v has no such value.
bool TruncateToInt(double v, int32_t* out) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return false;
  *out = static_cast<int32_t>(v);
  return true;
}

void CopyDisplayText(char* out, const char* text) {
  CopyUtf8Cut(out, IParameter::kTextSize, text);
}

// The numeric display text: with a precision the value with that many decimals, otherwise its
// integer part. Always fits kTextSize bytes.
void FormatNumber(double v, int32_t precision, char* out) {
  if (v == 0.0) v = 0.0;  // a negated zero shows as 0, not -0
  if (precision > 0) {
    std::snprintf(out, IParameter::kTextSize, "%.*f", static_cast<int>(precision), v);
    return;
  }
  int32_t whole;
  if (TruncateToInt(v, &whole)) {
    std::snprintf(out, IParameter::kTextSize, "%d", static_cast<int>(whole));
  } else {
    std::snprintf(out, IParameter::kTextSize, "%.0f", std::trunc(v));
  }
}

}  // namespace

const IParameter::DisplayText* IParameter::DisplayTexts() const {
  return static_cast<const DisplayText*>(displayTexts.Get());
}

int32_t IParameter::DisplayTextCount() const {
  return displayTexts.Size() / static_cast<int32_t>(sizeof(DisplayText));
}

const char* IParameter::DisplayTextFor(int32_t forValue) const {
  const DisplayText* entries = DisplayTexts();
  for (int32_t i = 0, count = DisplayTextCount(); i < count; ++i) {
    if (entries[i].value == forValue) return entries[i].text;
  }
  return nullptr;
}

bool IParameter::DisplayTextAt(int32_t i, int32_t* forValue, const char** text) const {
  if (i < 0 || i >= DisplayTextCount()) return false;
  if (forValue) *forValue = DisplayTexts()[i].value;
  if (text) *text = DisplayTexts()[i].text;
  return true;
}

bool IParameter::ValueForDisplayText(const char* text, int32_t* forValue) const {
  if (!text) return false;
  const DisplayText* entries = DisplayTexts();
  for (int32_t i = 0, count = DisplayTextCount(); i < count; ++i) {
    if (std::strcmp(entries[i].text, text) == 0) {
      if (forValue) *forValue = entries[i].value;
      return true;
    }
  }
  return false;
}

bool IParameter::SetDisplayText(int32_t forValue, const char* text) {
  DisplayText* entry = nullptr;
  DisplayText* entries = static_cast<DisplayText*>(displayTexts.Get());
  for (int32_t i = 0, count = DisplayTextCount(); i < count && !entry; ++i) {
    if (entries[i].value == forValue) entry = &entries[i];
  }
  if (!entry) {
    const int32_t count = DisplayTextCount();
    displayTexts.Resize((count + 1) * static_cast<int32_t>(sizeof(DisplayText)), false);
    if (DisplayTextCount() != count + 1) return false;
    entry = static_cast<DisplayText*>(displayTexts.Get()) + count;
    entry->value = forValue;
  }
  CopyDisplayText(entry->text, text ? text : "");
  return true;
}

const char* IParameter::ShownDisplayText(double v) const {
  int32_t whole;
  if (DisplayTextCount() == 0 || !TruncateToInt(v, &whole)) return nullptr;
  const char* text = DisplayTextFor(whole);
  return text && text[0] != '\0' ? text : nullptr;
}

void IParameter::FormatValue(char* out) const {
  FormatValueFor(value, false, out, true);
}

void IParameter::FormatValueFor(double v, bool normalized, char* out, bool useDisplayTexts) const {
  if (!out) return;
  if (normalized) v = Denormalize(std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0));
  if (useDisplayTexts) {
    if (const char* text = ShownDisplayText(v)) {
      CopyDisplayText(out, text);
      return;
    }
  }
  FormatNumber(negateDisplay ? -v : v, displayPrecision, out);
}

const char* IParameter::UnitText() const {
  return ShownDisplayText(value) ? "" : label;
}
