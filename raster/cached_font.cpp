#include <algorithm>
#include <cstring>
#include <utility>

#include "raster/font.h"
#include "raster/font_shared.h"
#include "raster/platform.h"

namespace {

int liveFonts = 0;
Raster_IBitmap* glyphBitmap = nullptr;
Raster_IBitmap* textScratchBitmap = nullptr;
int compatibilityLayer = -1;

Raster_IBitmap* Shared(Raster_IBitmap** bitmap) {
  if (!*bitmap) *bitmap = Raster_NewDeviceBitmap(0, 0);
  return *bitmap;
}

constexpr int32_t kRecordSize = static_cast<int32_t>(sizeof(GlyphRecord));

}  // namespace

namespace RasterFontShared {

Raster_IBitmap* GlyphBitmap() {
  return Shared(&glyphBitmap);
}
Raster_IBitmap* TextScratchBitmap() {
  return Shared(&textScratchBitmap);
}
bool OnCompatibilityLayer() {
  if (compatibilityLayer < 0) compatibilityLayer = Raster_ProbeCompatibilityLayer() ? 1 : 0;
  return compatibilityLayer == 1;
}

}  // namespace RasterFontShared

Raster_IBitmap* Raster_GlyphBitmap() {
  return glyphBitmap;
}

int Raster_CompatibilityLayerFlag() {
  return compatibilityLayer;
}

void Raster_SetCompatibilityLayerFlag(int flag) {
  compatibilityLayer = flag < 0 ? -1 : (flag > 0 ? 1 : 0);
}

Raster_CachedFont::Raster_CachedFont(Raster_GlyphSource* glyphSource)
    : source(glyphSource ? glyphSource : Raster_SystemGlyphSource()) {
  std::memset(asciiGlyphs, 0, sizeof(asciiGlyphs));
  ++liveFonts;
}

Raster_CachedFont::~Raster_CachedFont() {
  if ((flags & FontFlagOwnsFont) && font) source->DeleteFont(font);
  if (--liveFonts == 0) {
    delete glyphBitmap;
    delete textScratchBitmap;
    glyphBitmap = nullptr;
    textScratchBitmap = nullptr;
  }
}

void Raster_CachedFont::AttachFont(RasterFontHandle newFont, int newFlags) {
  if ((flags & FontFlagOwnsFont) && font && font != newFont) source->DeleteFont(font);
  flags = newFlags;
  font = newFont;
  if (font) {
    Raster_IBitmap* canvas = RasterFontShared::GlyphBitmap();
    if (canvas && (canvas->Width() < 256 || canvas->Height() < 256)) canvas->Resize(256, 256);
    lineHeight = source->LineHeight(font, canvas);
  }
  ClearCache();
  if (flags & FontFlagPrecache) {
    for (int code = 0; code < 128; ++code)
      RenderGlyph(static_cast<uint16_t>(code));
  }
}

void Raster_CachedFont::ClearCache() {
  std::memset(asciiGlyphs, 0, sizeof(asciiGlyphs));
  records.Resize(0);
  pixels.Resize(0);
}

uint32_t Raster_CachedFont::SetTextColor(uint32_t colour) {
  return std::exchange(textColour, colour);
}
uint32_t Raster_CachedFont::SetBackgroundColor(uint32_t colour) {
  return std::exchange(backgroundColour, colour);
}
uint32_t Raster_CachedFont::SetEffectColor(uint32_t colour) {
  return std::exchange(effectColour, colour);
}
int Raster_CachedFont::SetBackgroundMode(int mode) {
  return std::exchange(backgroundMode, mode);
}
void Raster_CachedFont::SetCombineMode(int blendMode, float weight) {
  combineMode = blendMode;
  alpha = weight;
}

int Raster_CachedFont::DrawText(Raster_IBitmap* bitmap, const char* text, int len, IRectangle* rect,
                                int textFlags) {
  return DrawTextUtf8(bitmap, text, len, rect, textFlags);
}

GlyphRecord* Raster_CachedFont::FindGlyph(uint16_t code) {
  if (code < 128) return &asciiGlyphs[code];
  GlyphRecord* begin = static_cast<GlyphRecord*>(records.Get());
  if (!begin) return nullptr;
  GlyphRecord* end = begin + records.Size() / kRecordSize;
  GlyphRecord* found = std::lower_bound(
      begin, end, code, [](const GlyphRecord& record, uint32_t c) { return record.code < c; });
  return found != end && found->code == code ? found : nullptr;
}

GlyphRecord* Raster_CachedFont::AddRecord(uint16_t code) {
  const int32_t count = records.Size() / kRecordSize;
  records.Resize((count + 1) * kRecordSize);
  if (records.Size() != (count + 1) * kRecordSize) return nullptr;
  GlyphRecord* begin = static_cast<GlyphRecord*>(records.Get());
  // Kept sorted by code, so that lookups can bisect.
  GlyphRecord* at =
      std::lower_bound(begin, begin + count, code,
                       [](const GlyphRecord& record, uint32_t c) { return record.code < c; });
  std::memmove(at + 1, at, sizeof(GlyphRecord) * static_cast<size_t>(begin + count - at));
  *at = GlyphRecord{0, 0, 0, 0, code};
  return at;
}

const uint8_t* Raster_CachedFont::GlyphPixels(const GlyphRecord* record) const {
  if (!record || record->offset <= 0) return nullptr;
  const int64_t end = int64_t{record->offset} - 1 + int64_t{record->width} * record->height;
  if (end > pixels.Size()) return nullptr;
  return pixels.Bytes() + record->offset - 1;
}
