// IGraphics: the value prompt of bound controls and the commit of a text entry.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/parameter.h"
#include "framework/plugin_core.h"
#include "graphics/graphics.h"

namespace {

// Parameters whose prompt is a menu of their display texts.
bool PromptsWithMenu(const IParameter* param) {
  return param->Type() == kTypeEnum ||
         (param->Type() == kTypeBool && param->DisplayTextCount() > 0);
}

// Plain value within the parameter's range; the range's low end for not a number.
double ClampToRange(const IParameter* param, double v) {
  if (!(v >= param->Min())) return param->Min();
  return v > param->Max() ? param->Max() : v;
}

// For a number beyond the range of a double: true when it is too small (below the smallest
// one) rather than too large. The power of ten of its first significant digit plus its
// exponent tells which.
bool IsTooSmall(const char* number, const char* end) {
  int64_t power = 0;
  bool significant = false, fraction = false;
  const char* p = number;
  for (; p < end && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      fraction = true;
    } else if (significant) {
      if (!fraction) ++power;
    } else if (fraction) {
      --power;
      significant = *p != '0';
    } else {
      significant = *p >= '1' && *p <= '9';
    }
  }
  if (p < end) ++p;  // the exponent's mark
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  int64_t exponent = 0;
  for (; p < end; ++p)
    exponent = std::min<int64_t>(exponent * 10 + (*p - '0'), int64_t{1} << 40);
  return power + (negative ? -exponent : exponent) < 0;
}

// The decimal number text starts with (after blanks and a plus sign); 0 when it starts with
// none or when it is too small for a double. False for a number that is not finite.
bool ReadDecimal(const char* text, double* out) {
  while (*text == ' ' || *text == '\t')
    ++text;
  if (*text == '+' && text[1] != '-') ++text;
  double v = 0.0;
  const char* end = text + std::strlen(text);
  const std::from_chars_result read = std::from_chars(text, end, v, std::chars_format::general);
  if (read.ec == std::errc::result_out_of_range) {
    if (!IsTooSmall(*text == '-' ? text + 1 : text, read.ptr)) return false;
    v = 0.0;
  } else if (read.ec != std::errc()) {
    v = 0.0;
  }
  if (!std::isfinite(v)) return false;
  *out = v;
  return true;
}

bool IsBlank(const char* text) {
  for (; *text; ++text) {
    if (*text != ' ' && *text != '\t') return false;
  }
  return true;
}

}  // namespace

bool ParseEntryValue(const IParameter* param, const char* text, double* value) {
  if (!param || !text || !value || IsBlank(text)) return false;
  double v = 0.0;
  if (param->Type() == kTypeBool || param->Type() == kTypeEnum) {
    int32_t shown = 0;
    if (param->ValueForDisplayText(text, &shown)) v = shown;
  } else {
    if (!ReadDecimal(text, &v)) return false;
    if (param->NegateDisplay()) v = -v;
  }
  *value = ClampToRange(param, v);
  return true;
}

bool EntryAcceptsChar(const IParameter* param, int ch) {
  constexpr int kBackspace = 8;
  if (!param || ch == kBackspace) return true;
  const bool signOrDigit = ch == '+' || ch == '-' || (ch >= '0' && ch <= '9');
  switch (param->Type()) {
    case kTypeBool:
    case kTypeInt:
    case kTypeEnum:
      return signOrDigit;
    case kTypeDouble:
      return signOrDigit || ch == '.';
    default:
      return true;
  }
}

void IGraphics::PromptParamInput(IControl* control, IParameter* param, IRectangle* rect) {
  if (!control || !param || !rect) return;
  if (!PromptsWithMenu(param)) {
    char text[IParameter::kTextSize + 32];
    const double v = param->NegateDisplay() ? -param->Value() : param->Value();
    if (param->DisplayPrecision() > 0) {
      std::snprintf(text, sizeof(text), "%.*f", param->DisplayPrecision(), v);
    } else {
      const double whole = std::trunc(v);
      std::snprintf(text, sizeof(text), "%.0f", whole == 0.0 ? 0.0 : whole);
    }
    ShowTextEntry(control, control->TextStyle(), rect, text, param);
    return;
  }

  char current[IParameter::kTextSize];
  param->FormatValue(current);
  IPopupMenu menu;
  for (int32_t v = 0, count = param->DisplayTextCount(); v < count; ++v) {
    const char* label = param->DisplayTextFor(v);
    if (!label) label = "";
    IPopupMenuItem* item = menu.AppendText(label);
    if (item && std::strcmp(label, current) == 0) item->SetChecked(true);
  }
  if (ShowPopupMenu(&menu, rect) != &menu) return;
  const double chosen = ClampToRange(param, menu.GetChosenIndex());
  control->SetValueFromUser(param->ToNormalized(chosen));
}

bool IGraphics::CommitTextEntry(IControl* control, IParameter* param, const char* text) {
  if (!control) return false;
  if (!param) {
    control->SetTextFromUser(text ? text : "");
    return true;
  }
  double v = 0.0;
  if (!ParseEntryValue(param, text, &v)) return false;
  // The typed value reaches the host as one complete edit, after any press's own.
  EndMousePress();
  const bool ownGesture = plug && control->IsBound();
  if (ownGesture) plug->BeginHostEdit(control->ParamIdx());
  control->SetValueFromUser(param->ToNormalized(v));
  if (ownGesture) plug->EndHostEdit(control->ParamIdx());
  return true;
}
