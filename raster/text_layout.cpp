#include <algorithm>
#include <cstdint>
#include <limits>

#include "framework/utf8_text.h"
#include "raster/blend_ops.h"
#include "raster/font.h"
#include "raster/font_shared.h"
#include "raster/platform.h"

namespace {

constexpr int kAlignmentFlags = TextFlagCenter | TextFlagRight | TextFlagVCenter | TextFlagBottom;
// Font flags the platform's text function cannot honour.
constexpr int kCachedOnlyFontFlags =
    FontFlagPrecache | FontFlagRotate | FontFlagRotateCounterClockwise | FontFlagBlur |
    FontFlagInvert | FontFlagMono | FontFlagShadow | FontFlagOutline;

int ToInt(int64_t v) {
  return static_cast<int>(
      std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Walks the characters of a text within its length: the code of each, with CR dropped and LF
// turned into a line break (or a space on a single line).
class TextWalk {
 public:
  TextWalk(const char* text, int len, bool singleLine)
      : p(text), remaining(len), singleLine(singleLine) {}

  enum Kind { kEnd, kGlyph, kNewLine };

  Kind Next(uint16_t* code) {
    for (;;) {
      if (remaining == 0 || *p == '\0') return kEnd;
      const int used = Raster_DecodeUtf8Char(p, remaining, code);
      p += used;
      if (remaining > 0) remaining -= std::min(used, remaining);
      if (*code == 13) continue;
      if (*code == 10) {
        if (!singleLine) return kNewLine;
        *code = ' ';
      }
      return kGlyph;
    }
  }

 private:
  const char* p;
  int remaining;  // negative: up to the NUL
  bool singleLine;
};

}  // namespace

int Raster_DecodeUtf8Char(const char* p, int available, uint16_t* code) {
  if (!p || available == 0) {
    *code = 0;
    return 0;
  }
  // A byte beyond the limit counts as missing (-1, no continuation), which cuts the sequence.
  auto byte = [&](int i) {
    return available < 0 || i < available ? static_cast<uint8_t>(p[i]) : -1;
  };
  const int b0 = byte(0);
  if (b0 >= 0xC2 && b0 <= 0xDF && IsUtf8Continuation(byte(1))) {
    *code = static_cast<uint16_t>(((b0 & 0x1F) << 6) | (byte(1) & 0x3F));
    return 2;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF && IsUtf8Continuation(byte(1)) && IsUtf8Continuation(byte(2))) {
    *code = static_cast<uint16_t>(((b0 & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F));
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4 && IsUtf8Continuation(byte(1)) && IsUtf8Continuation(byte(2)) &&
      IsUtf8Continuation(byte(3))) {
    *code = ' ';  // beyond 16 bits: shown as a space
    return 4;
  }
  *code = static_cast<uint16_t>(b0);
  return 1;
}

int Raster_CachedFont::DrawTextUtf8(Raster_IBitmap* bitmap, const char* text, int len,
                                    IRectangle* rect, int textFlags) {
  if (!text || !rect) return 0;
  if (!bitmap && !(textFlags & TextFlagCalcRect)) return 0;
  const bool forceCached = (textFlags & TextFlagForceCached) != 0;
  textFlags &= ~TextFlagForceCached;
  if (len == 0) text = "";

  // The cached path for bitmaps that ask for it; the platform's text function where it can do
  // everything the font and the call ask for (never on the compatibility layer).
  const bool cachedAsked = bitmap && bitmap->Extended(kRasterCachedTextQuery, nullptr) != 0;
  if (!cachedAsked && Raster_HasPlatformText()) {
    const bool platform = lineHeight >= 256 || ((flags & FontFlagNative) && font && !forceCached &&
                                                !RasterFontShared::OnCompatibilityLayer() &&
                                                !(textFlags & TextFlagUseColourAlpha) &&
                                                !(flags & kCachedOnlyFontFlags));
    if (platform) return DrawTextNative(bitmap, text, len, rect, textFlags);
  }
  return DrawTextCached(bitmap, text, len, rect,
                        textFlags | (forceCached ? TextFlagForceCached : 0));
}

GlyphRecord* Raster_CachedFont::GlyphForLayout(uint16_t code) {
  GlyphRecord* record = FindGlyph(code);
  if (!record) {
    RenderGlyph(code);
    record = FindGlyph(code);
  }
  if (record && record->offset == 0) {
    RenderGlyph(code);
    record = FindGlyph(code);
  }
  return record && GlyphPixels(record) ? record : nullptr;
}

int Raster_CachedFont::DrawTextCached(Raster_IBitmap* bitmap, const char* text, int len,
                                      IRectangle* rect, int textFlags) {
  const bool vertical = (flags & FontFlagRotate) != 0;
  const bool upward = vertical && (flags & FontFlagRotateCounterClockwise);
  TextWalk walk(text, len, (textFlags & TextFlagSingleLine) != 0);
  uint16_t code = 0;

  if (textFlags & TextFlagCalcRect) {
    int64_t x = 0, y = 0, maxX = 0, maxY = 0;
    for (TextWalk::Kind kind; (kind = walk.Next(&code)) != TextWalk::kEnd;) {
      if (kind == TextWalk::kNewLine) {
        if (vertical)
          x += lineHeight, y = 0;
        else
          y += lineHeight, x = 0;
        continue;
      }
      const GlyphRecord* glyph = GlyphForLayout(code);
      if (!glyph) continue;
      if (vertical) {
        maxX = std::max(maxX, x + glyph->width);
        maxY = std::max({maxY, y + glyph->advance, y + glyph->height});
        y += glyph->advance;
      } else {
        maxX = std::max({maxX, x + glyph->advance, x + glyph->width});
        maxY = std::max(maxY, y + glyph->height);
        x += glyph->advance;
      }
    }
    rect->right = ToInt(int64_t{rect->left} + maxX);
    rect->bottom = ToInt(int64_t{rect->top} + maxY);
    return ToInt(vertical ? maxX : maxY);
  }

  float weight = RasterBlend::LimitAlpha(alpha);
  if (textFlags & TextFlagUseColourAlpha) weight *= static_cast<float>(textColour >> 24) / 255.0f;
  if (weight == 0.0f) return 0;

  int64_t x0 = rect->left, y0 = rect->top;
  if ((textFlags & kAlignmentFlags) || upward) {
    IRectangle measured{0, 0, 0, 0};
    DrawTextUtf8(bitmap, text, len, &measured,
                 TextFlagCalcRect | (textFlags & (TextFlagSingleLine | TextFlagForceCached)));
    const int64_t w = measured.right, h = measured.bottom;
    const int64_t boxWidth = int64_t{rect->right} - rect->left;
    const int64_t boxHeight = int64_t{rect->bottom} - rect->top;
    if (textFlags & TextFlagCenter)
      x0 = rect->left + (boxWidth - w) / 2;
    else if (textFlags & TextFlagRight)
      x0 = rect->right - w;
    if (textFlags & TextFlagVCenter)
      y0 = rect->top + (boxHeight - h) / 2;
    else if (textFlags & TextFlagBottom)
      y0 = rect->bottom - h;
    if (upward) y0 += h;
  }

  IRectangle clip{0, 0, bitmap->Width(), bitmap->Height()};
  if (!(textFlags & TextFlagNoClip)) {
    clip = {std::max(rect->left, 0), std::max(rect->top, 0), std::min(rect->right, clip.right),
            std::min(rect->bottom, clip.bottom)};
  }
  if (clip.right <= clip.left || clip.bottom <= clip.top) return 0;

  int64_t x = x0, y = y0, extent = vertical ? x0 : y0;
  for (TextWalk::Kind kind; (kind = walk.Next(&code)) != TextWalk::kEnd;) {
    if (kind == TextWalk::kNewLine) {
      if (vertical)
        x += lineHeight, y = y0;
      else
        y += lineHeight, x = x0;
      continue;
    }
    const GlyphRecord* glyph = GlyphForLayout(code);
    if (!glyph) continue;
    const int width = glyph->width, height = glyph->height, advance = glyph->advance;
    if (upward) y -= height;
    if (DrawGlyphWithAlpha(bitmap, code, ToInt(x), ToInt(y), &clip, weight)) {
      extent = std::max(extent, vertical ? x + width : y + height);
    }
    if (!vertical)
      x += advance;
    else if (upward)
      y += height - advance;
    else
      y += advance;
  }
  return ToInt(extent - (vertical ? x0 : y0));
}
