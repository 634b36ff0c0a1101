#include "fake_glyph_source.h"

#include "raster/blend.h"
#include "raster_test_support.h"

int FakeGlyphSource::Coverage(uint16_t code, int x, int y, int lineHeight) {
  const int advance = Advance(code);
  if (code == ' ') return 0;
  if (code == '.') return x == 1 && y == 2 ? 255 : 0;
  if (y < 1 || y >= lineHeight - 1) return 0;
  if (code == 'W' && x == advance + 1) return 200;
  return x < advance ? (x * 53 + y * 29 + code * 7) % 256 : 0;
}

bool FakeGlyphSource::DrawGlyphCell(RasterFontHandle font, uint16_t code, int extraColumns,
                                    Raster_IBitmap* canvas, Raster_GlyphCell* cell) {
  ++cellsDrawn;
  lastExtraColumns = extraColumns;
  if (code == 0x7F) return false;
  const int height = static_cast<FakeFont*>(font)->lineHeight;
  *cell = {Advance(code), Advance(code) + extraColumns, height};
  Raster_FillArea(canvas, 0, 0, cell->width, cell->height, 0, 1.0f, BlendCopy);
  for (int y = 0; y < cell->height && y < canvas->Height(); ++y) {
    for (int x = 0; x < cell->width && x < canvas->Width(); ++x) {
      // Only the red byte carries coverage; the green byte is noise that must not matter.
      PixelAt(canvas, x, y) = static_cast<uint32_t>(Coverage(code, x, y, height)) << 16 | 0x3300u;
    }
  }
  return true;
}
