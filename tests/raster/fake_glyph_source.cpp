#include "fake_glyph_source.h"

#include <algorithm>

#include "raster_test_support.h"

int FakeGlyphSource::Coverage(uint16_t code, int x, int y, int lineHeight) {
  if (code == ' ') return 0;
  if (code == '.') return x == 1 && y == 2 ? 255 : 0;
  if (y < 1 || y >= lineHeight - 1) return 0;
  if (code == 'W' && x == Advance(code) + 1) return 200;
  return x < Advance(code) ? (x + 31 * y + 7 * code) % 256 : 0;
}

bool FakeGlyphSource::DrawGlyphCell(RasterFontHandle font, uint16_t code, int extraColumns,
                                    Raster_IBitmap* canvas, Raster_GlyphCell* cell) {
  ++cellsDrawn;
  lastExtraColumns = extraColumns;
  if (code == 0x7F) return false;
  const int height = static_cast<FakeFont*>(font)->lineHeight;
  *cell = {Advance(code), code == '~' ? 2 : Advance(code) + extraColumns, height};
  for (int y = 0; y < std::min(height, canvas->Height()); ++y) {
    for (int x = 0; x < std::min(cell->width, canvas->Width()); ++x) {
      // Only the red byte carries coverage; the green byte is noise that must not matter.
      PixelAt(canvas, x, y) = static_cast<uint32_t>(Coverage(code, x, y, height)) << 16 | 0x3300u;
    }
  }
  return true;
}
