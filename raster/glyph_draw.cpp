#include <algorithm>
#include <cstdint>

#include "raster/blend.h"
#include "raster/blend_ops.h"
#include "raster/font.h"

using namespace RasterBlend;

namespace {

// The visible part of one glyph: where it lands in the bitmap and where its coverage starts.
struct GlyphArea {
  PixelRow target;          // first visible pixel and the bitmap's row step
  const uint8_t* coverage;  // first visible coverage byte
  int stride;               // coverage bytes per glyph row
  int columns;
  int rows;
};

// Applies blend(coverage, pixel) to every pixel with coverage; one loop per blend function, so
// that each operation and glyph kind runs without a per-pixel dispatch.
template <class Blend>
void ForEachCovered(const GlyphArea& area, Blend blend) {
  uint32_t* row = area.target.pixel;
  const uint8_t* cover = area.coverage;
  for (int y = 0; y < area.rows; ++y, row += area.target.step, cover += area.stride) {
    for (int x = 0; x < area.columns; ++x) {
      if (cover[x] != 0) row[x] = blend(cover[x], row[x]);
    }
  }
}

// The colour and alpha channels a glyph blends with: the colour's red, green and blue, and the
// alpha channel as if the colour were opaque.
struct InkColour {
  int b, g, r;
  explicit InkColour(uint32_t colour)
      : b(Channel(colour, 0)), g(Channel(colour, 1)), r(Channel(colour, 2)) {}
  template <int Op>
  uint32_t Blend(uint32_t d, int w) const {
    return BlendWord<Op>(b, g, r, 255, d, w);
  }
};

}  // namespace

bool Raster_CachedFont::DrawGlyph(Raster_IBitmap* bitmap, uint16_t code, int x, int y,
                                  const IRectangle* clip) {
  return DrawGlyphWithAlpha(bitmap, code, x, y, clip, alpha);
}

bool Raster_CachedFont::DrawGlyphWithAlpha(Raster_IBitmap* bitmap, uint16_t code, int x, int y,
                                           const IRectangle* clip, float weight) {
  if (!bitmap || !clip) return false;
  const GlyphRecord* record = FindGlyph(code);
  const uint8_t* coverage = GlyphPixels(record);
  if (!coverage || !HasPixels(bitmap)) return false;

  // The glyph, the clip and the bitmap intersected first: only that part is touched.
  const int64_t left = std::max({int64_t{x}, int64_t{clip->left}, int64_t{0}});
  const int64_t top = std::max({int64_t{y}, int64_t{clip->top}, int64_t{0}});
  const int64_t right =
      std::min({int64_t{x} + record->width, int64_t{clip->right}, int64_t{bitmap->Width()}});
  const int64_t bottom =
      std::min({int64_t{y} + record->height, int64_t{clip->bottom}, int64_t{bitmap->Height()}});
  if (right <= left || bottom <= top) return false;

  const int columns = static_cast<int>(right - left), rows = static_cast<int>(bottom - top);
  if (backgroundMode == FontBackgroundOpaque) {
    Raster_FillArea(bitmap, static_cast<int>(left), static_cast<int>(top), columns, rows,
                    backgroundColour, weight, combineMode & ~BlendUseSourceAlpha);
  }
  const GlyphArea area{RowAt(bitmap, static_cast<int>(left), static_cast<int>(top)),
                       coverage + (top - y) * record->width + (left - x), record->width, columns,
                       rows};

  const int op = combineMode & 0xFF;
  const InkColour text(textColour);
  if (flags & (FontFlagMono | FontFlagShadow | FontFlagOutline)) {
    // Thresholded glyphs: full ink in the text colour, effect pixels in the effect colour.
    const bool effects = (flags & (FontFlagShadow | FontFlagOutline)) != 0;
    const uint32_t effectWord = effects ? effectColour : textColour;
    if (weight == 1.0f && op == kCopy) {
      const uint32_t textWord = textColour;
      ForEachCovered(area, [=](int c, uint32_t) { return c == 255 ? textWord : effectWord; });
      return true;
    }
    const int w = WeightOf(weight);
    if (w == 0) return true;
    const InkColour effect(effectWord);
    DispatchOperation(op, [&](auto operation) {
      constexpr int kOp = decltype(operation)::value;
      ForEachCovered(area, [&](int c, uint32_t d) {
        return c == 255 ? text.Blend<kOp>(d, w) : effect.Blend<kOp>(d, w);
      });
    });
    return true;
  }

  // Antialiased glyphs: the weight follows the coverage.
  const int a = WeightOf(weight);
  if (a == 0) return true;
  DispatchOperation(op, [&](auto operation) {
    constexpr int kOp = decltype(operation)::value;
    if (a == 256) {
      ForEachCovered(area, [&](int c, uint32_t d) { return text.Blend<kOp>(d, c + 1); });
    } else {
      ForEachCovered(
          area, [&](int c, uint32_t d) { return text.Blend<kOp>(d, std::min(a * c / 256, 256)); });
    }
  });
  return true;
}
