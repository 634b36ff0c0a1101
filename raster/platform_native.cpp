// The platform services where there is no Windows: memory bitmaps, and no platform text or
// glyph rasteriser (fonts draw only through a glyph source handed to them).
#include <new>

#include "raster/glyph_source.h"
#include "raster/platform.h"

namespace {

class NoGlyphSource : public Raster_GlyphSource {
 public:
  int LineHeight(RasterFontHandle, Raster_IBitmap*) override { return 0; }
  bool DrawGlyphCell(RasterFontHandle, uint16_t, int, Raster_IBitmap*, Raster_GlyphCell*) override {
    return false;
  }
  void DeleteFont(RasterFontHandle) override {}
};

}  // namespace

Raster_GlyphSource* Raster_SystemGlyphSource() {
  static NoGlyphSource source;
  return &source;
}

Raster_IBitmap* Raster_NewDeviceBitmap(int w, int h) {
  return new (std::nothrow) Raster_MemBitmap(w, h);
}

bool Raster_HasPlatformText() {
  return false;
}

bool Raster_ProbeCompatibilityLayer() {
  return false;
}

int Raster_DrawPlatformText(RasterDeviceContext, RasterFontHandle, const char*, int, IRectangle*,
                            int, const Raster_PlatformTextStyle&) {
  return 0;
}
