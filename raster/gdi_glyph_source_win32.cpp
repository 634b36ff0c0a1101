// Glyphs and line heights through GDI, in the device context of the shared glyph bitmap.
#include <windows.h>

#include "raster/blend.h"
#include "raster/glyph_source.h"

namespace {

class GdiGlyphSource : public Raster_GlyphSource {
 public:
  int LineHeight(RasterFontHandle font, Raster_IBitmap* canvas) override {
    HDC dc = canvas ? static_cast<HDC>(canvas->DeviceContext()) : nullptr;
    if (!dc) return 0;
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font));
    TEXTMETRICA metrics = {};
    const BOOL measured = GetTextMetricsA(dc, &metrics);
    if (previous) SelectObject(dc, previous);
    return measured ? static_cast<int>(metrics.tmHeight) : 0;
  }

  bool DrawGlyphCell(RasterFontHandle font, uint16_t code, int extraColumns, Raster_IBitmap* canvas,
                     Raster_GlyphCell* cell) override {
    HDC dc = canvas ? static_cast<HDC>(canvas->DeviceContext()) : nullptr;
    if (!dc) return false;
    HGDIOBJ previous = font ? SelectObject(dc, static_cast<HFONT>(font)) : nullptr;
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 0));
    const wchar_t character = static_cast<wchar_t>(code);
    RECT box = {0, 0, 0, 0};
    DrawTextW(dc, &character, 1, &box, DT_NOPREFIX | DT_CALCRECT | DT_SINGLELINE);
    *cell = {static_cast<int>(box.right), static_cast<int>(box.right) + extraColumns,
             static_cast<int>(box.bottom)};
    // GDI may batch its drawing: flush before and after the pixels are touched directly.
    GdiFlush();
    Raster_FillArea(canvas, 0, 0, cell->width, cell->height, 0, 1.0f, BlendCopy);
    box = {0, 0, cell->width, cell->height};
    DrawTextW(dc, &character, 1, &box, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    GdiFlush();
    if (previous) SelectObject(dc, previous);
    return true;
  }

  void DeleteFont(RasterFontHandle font) override { DeleteObject(static_cast<HFONT>(font)); }
};

}  // namespace

Raster_GlyphSource* Raster_SystemGlyphSource() {
  static GdiGlyphSource source;
  return &source;
}
