#include "editor_test_support.h"

#include "fake_glyph_source.h"
#include "raster/blend.h"
#include "raster/font.h"

IPopupMenu* TestGraphics::ShowPopupMenu(IPopupMenu* menu, IRectangle*) {
  EndMousePress();
  if (!menu) return nullptr;
  menu->AssignIds();
  return menu->ChooseByNativeCommand(menuAnswer(menu));
}

void TestGraphics::PromptForFile(HeapString* file, int, HeapString* folder, const char*) {
  EndMousePress();
  if (folder->Length() == 0) DesktopFolder(folder);
  file->Set(fileAnswer.c_str());
}

Raster_IBitmap* TestGraphics::LoadImageResource(int id, const char*) {
  loadedImages.push_back(id);
  if (id == 101) return SolidBitmap(200, 100, 0xFF102030u);
  return id >= 200 && id < 300 ? SolidBitmap(id - 190, 20, 0xFF000000u | id) : nullptr;
}

Raster_CachedFont* TestGraphics::NewFont(const ITextStyle* style) {
  // The font cache keeps fonts until the program ends, so their source and handles do too.
  static FakeGlyphSource* source = new FakeGlyphSource();
  static FakeFont sizes[64];
  if (style->size <= 0 || style->size >= 64) return nullptr;
  ++fontsMade;
  sizes[style->size].lineHeight = style->size;
  auto* font = new Raster_CachedFont(source);
  font->AttachFont(&sizes[style->size], 0);
  return font;
}

Raster_MemBitmap* SolidBitmap(int w, int h, uint32_t colour) {
  auto* bitmap = new Raster_MemBitmap(w, h);
  Raster_FillArea(bitmap, 0, 0, w, h, colour, 1.0f, BlendCopy);
  return bitmap;
}

Raster_MemBitmap* NumberedStrip(int w, int frameHeight, int frames) {
  auto* bitmap = new Raster_MemBitmap(w, frameHeight * frames);
  for (int k = 0; k < frames; ++k)
    Raster_FillArea(bitmap, 0, k * frameHeight, w, frameHeight, 0xFF000000u | (k + 1), 1.0f,
                    BlendCopy);
  return bitmap;
}
