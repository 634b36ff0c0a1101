#pragma once

#include <cstdint>

#include "raster/glyph_source.h"

// Made-up glyphs for fonts without a platform rasteriser; a font handle is a FakeFont*. The
// advance of a code is 3 + code % 5 and its cell is the line height tall and, but for '~' (a cell
// 2 columns wide, narrower than its advance), as wide as asked. Ink: ' ' none; '.' one full-ink
// dot at (1, 2); code 0x7F no box at all; any other code a pattern in rows 1 to height - 2 of
// its advance columns, and 'W' also a stroke at column advance + 1.
struct FakeFont {
  int lineHeight;
};
class FakeGlyphSource : public Raster_GlyphSource {
 public:
  static int Advance(uint16_t code) { return 3 + code % 5; }
  static int Coverage(uint16_t code, int x, int y, int lineHeight);

  int LineHeight(RasterFontHandle font, Raster_IBitmap*) override {
    return static_cast<FakeFont*>(font)->lineHeight;
  }
  bool DrawGlyphCell(RasterFontHandle font, uint16_t code, int extraColumns, Raster_IBitmap* canvas,
                     Raster_GlyphCell* cell) override;
  void DeleteFont(RasterFontHandle) override { ++fontsDeleted; }

  int cellsDrawn = 0, lastExtraColumns = -1, fontsDeleted = 0;
};
