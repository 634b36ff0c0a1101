#include "graphics/graphics_types.h"

#include <cstdio>

#include "raster/blend.h"

ITextStyle ITextStyle::Default() {
  return Make("Verdana", 12, kColorBlack, kTextNormal, kAlignCenter);
}

ITextStyle ITextStyle::Make(const char* face, int size, IColor colour, int style, int alignment) {
  ITextStyle text{};
  std::snprintf(text.face, kFaceSize, "%s", face ? face : "");
  text.size = size;
  text.colour = colour;
  text.entryBackground = kColorWhite;
  text.entryTextColour = kColorBlack;
  text.style = style;
  text.alignment = alignment;
  text.orientation = 0;
  text.quality = kQualityDefault;
  text.font = nullptr;
  return text;
}

int IBlendSpec::ModeFor(const IBlendSpec* blend) {
  if (!blend) return BlendUseSourceAlpha | BlendCopy;
  switch (blend->method) {
    case kBlendPlainCopy:
      return BlendCopy;
    case kBlendAdd:
      return BlendUseSourceAlpha | BlendAdd;
    case kBlendDodge:
      return BlendUseSourceAlpha | BlendDodge;
    default:
      return BlendUseSourceAlpha | BlendCopy;
  }
}

int KeyCodeForVirtualKey(int virtualKey) {
  constexpr int kSpace = 32;
  constexpr int kLeftArrow = 37;
  constexpr int kUpArrow = 38;
  constexpr int kRightArrow = 39;
  constexpr int kDownArrow = 40;
  switch (virtualKey) {
    case kSpace:
      return kKeySpace;
    case kUpArrow:
      return kKeyUp;
    case kDownArrow:
      return kKeyDown;
    case kLeftArrow:
      return kKeyLeft;
    case kRightArrow:
      return kKeyRight;
    default:
      break;
  }
  if (virtualKey >= '0' && virtualKey <= '9') return kKeyDigit0 + (virtualKey - '0');
  if (virtualKey >= 'A' && virtualKey <= 'Z') return kKeyA + (virtualKey - 'A');
  return kKeyNone;
}
