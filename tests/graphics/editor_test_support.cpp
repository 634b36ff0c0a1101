#include "editor_test_support.h"

#include <new>

#include "fake_glyph_source.h"
#include "raster/blend.h"
#include "raster/font.h"

RecordingPlugin::RecordingPlugin(IPluginApi api) : IPluginCore(api) {
  for (int i = 0; i < NParams(); ++i)
    GetParam(i)->DefineDouble("P", 0.0, 0.0, 100.0, 0.01, "u");
}

std::vector<RecordingPlugin::Event::Kind> RecordingPlugin::KindsFor(int idx) const {
  std::vector<Event::Kind> kinds;
  for (const Event& e : events) {
    if (e.idx == idx) kinds.push_back(e.kind);
  }
  return kinds;
}

IPopupMenu* TestGraphics::ShowPopupMenu(IPopupMenu* menu, IRectangle*) {
  ClearCapture();
  if (!menu) return nullptr;
  menu->AssignIds();
  return menu->ChooseByNativeCommand(menuAnswer(menu));
}

void TestGraphics::PromptForFile(HeapString* file, int, HeapString* folder, const char*) {
  ClearCapture();
  ++filePrompts;
  if (folder->Length() == 0) DesktopFolder(folder);
  file->Set(fileAnswer.c_str());
}

Raster_IBitmap* TestGraphics::LoadImageResource(int id, const char*) {
  loadedImages.push_back(id);
  if (id == 101) return SolidBitmap(200, 100, 0xFF102030u);
  if (id >= 200 && id < 300) return SolidBitmap(id - 190, 20, 0xFF000000u | id);
  return nullptr;
}

Raster_CachedFont* TestGraphics::NewFont(const ITextStyle* style) {
  // Fonts outlive every test: the cache keeps them until the program ends, so their source
  // and handles (one per size) live as long.
  static FakeGlyphSource* source = new FakeGlyphSource();
  static FakeFont* handles = [] {
    static FakeFont sizes[64];
    for (int i = 0; i < 64; ++i)
      sizes[i].lineHeight = i;
    return sizes;
  }();
  if (style->size <= 0 || style->size >= 64) return nullptr;
  ++fontsMade;
  auto* font = new (std::nothrow) Raster_CachedFont(source);
  if (!font) return nullptr;
  font->AttachFont(&handles[style->size], 0);
  return font;
}

Raster_MemBitmap* SolidBitmap(int w, int h, uint32_t colour) {
  auto* bitmap = new Raster_MemBitmap(w, h);
  Raster_FillArea(bitmap, 0, 0, w, h, colour, 1.0f, BlendCopy);
  return bitmap;
}

Raster_MemBitmap* NumberedStrip(int w, int frameHeight, int frames) {
  auto* bitmap = new Raster_MemBitmap(w, frameHeight * frames);
  for (int k = 0; k < frames; ++k) {
    Raster_FillArea(bitmap, 0, k * frameHeight, w, frameHeight, 0xFF000000u | (k + 1), 1.0f,
                    BlendCopy);
  }
  return bitmap;
}

IBitmapStrip StripOf(Raster_IBitmap* bitmap, int frames) {
  return IBitmapStrip{bitmap, bitmap->Width(), bitmap->Height(), frames, false};
}

uint32_t Pixel(Raster_IBitmap* bitmap, int x, int y) {
  return bitmap->Bits()[y * bitmap->RowSpan() + x];
}
