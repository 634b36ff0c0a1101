#pragma once

// A glyph source with made-up, deterministic glyphs, so that fonts and text can be tested
// without a platform rasteriser. A font handle is a FakeFont*.
//
// The advance of a code is 3 + code % 5; the cell is the font's line height tall. Ink: ' ' none;
// '.' one full-ink dot at (1, 2); any other code a pattern in rows 1 to height - 2 of its advance
// columns, and 'W' also a stroke at column advance + 1 (right of its advance). Code 0x7F has no
// box at all.

#include "raster/glyph_source.h"

struct FakeFont {
  int lineHeight;
};

class FakeGlyphSource : public Raster_GlyphSource {
 public:
  static int Advance(uint16_t code) { return 3 + code % 5; }
  // Coverage of cell pixel (x, y) of code in a font of the given line height.
  static int Coverage(uint16_t code, int x, int y, int lineHeight);

  int LineHeight(RasterFontHandle font, Raster_IBitmap*) override {
    return static_cast<FakeFont*>(font)->lineHeight;
  }
  bool DrawGlyphCell(RasterFontHandle font, uint16_t code, int extraColumns, Raster_IBitmap* canvas,
                     Raster_GlyphCell* cell) override;
  void DeleteFont(RasterFontHandle) override { ++fontsDeleted; }

  int cellsDrawn = 0;
  int lastExtraColumns = -1;
  int fontsDeleted = 0;
};
