// IGraphicsWin: images from the library's PNG resources, GDI fonts and the DIB back buffer.
#include <windows.h>

#include <cstring>
#include <new>

#include "graphics/graphics_win.h"
#include "raster/font.h"
#include "raster/png_image.h"
#include "raster/sys_bitmap.h"

namespace {

int FontQualityOf(int quality) {
  switch (quality) {
    case kQualityNonAntialiased:
      return NONANTIALIASED_QUALITY;
    case kQualityAntialiased:
      return ANTIALIASED_QUALITY;
    case kQualityClearType:
      return CLEARTYPE_QUALITY;
    default:
      return DEFAULT_QUALITY;
  }
}

}  // namespace

Raster_IBitmap* IGraphicsWin::LoadImageResource(int id, const char* name) {
  if (!Raster_HasPngExtension(name)) return nullptr;
  return Raster_LoadPngResource(moduleInstance, id);
}

Raster_IBitmap* IGraphicsWin::NewBackBuffer(int w, int h) {
  auto* bitmap = new (std::nothrow) Raster_SysBitmap(w, h);
  if (bitmap && (!bitmap->Bits() || bitmap->Width() != w || bitmap->Height() != h)) {
    delete bitmap;
    return nullptr;
  }
  return bitmap;
}

Raster_CachedFont* IGraphicsWin::NewFont(const ITextStyle* style) {
  if (!style) return nullptr;
  char face[ITextStyle::kFaceSize];
  std::memcpy(face, style->face, sizeof face);
  face[sizeof face - 1] = '\0';
  const int angle = style->orientation * 10;
  HFONT handle = CreateFontA(style->size, 0, angle, angle, style->style == kTextBold ? 700 : 400,
                             style->style == kTextItalic, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, FontQualityOf(style->quality), 0, face);
  if (!handle) return nullptr;
  auto* font = new (std::nothrow) Raster_CachedFont();
  if (!font) {
    DeleteObject(handle);
    return nullptr;
  }
  font->AttachFont(handle, FontFlagOwnsFont | FontFlagNative);
  return font;
}
