#pragma once

#include <cstdint>

#include "framework/heap_buffer.h"
#include "raster/bitmap.h"
#include "raster/glyph_source.h"
#include "raster/rectangle.h"

// The platform headers define DrawText as a macro for their own text function; the font's
// operation keeps its name in every file that includes this header after them.
#ifdef DrawText
#undef DrawText
#endif

// Font flags (Raster_CachedFont::AttachFont).
constexpr int FontFlagRotate = 0x1;  // glyphs turned a quarter clockwise; text runs downward
constexpr int FontFlagRotateCounterClockwise = 0x2;  // with 0x1: turned the other way, runs up
constexpr int FontFlagPrecache = 0x4;    // render codes 0-127 when attached, never any other code
constexpr int FontFlagBlur = 0x10;       // blur each glyph after rendering
constexpr int FontFlagInvert = 0x20;     // store 255 - coverage
constexpr int FontFlagMono = 0x40;       // coverage becomes 0 or 255
constexpr int FontFlagShadow = 0x80;     // mono plus a one-pixel shadow below and to the right
constexpr int FontFlagOutline = 0x100;   // mono plus a one-pixel outline (the shadow wins)
constexpr int FontFlagOwnsFont = 0x200;  // the font object deletes its font handle
constexpr int FontFlagNative = 0x400;    // text may be drawn by the platform directly

// Text flags (DrawText). The first seven have the values of the platform's text format bits and
// are honoured by the cached path too; other platform bits matter on the platform path only.
constexpr int TextFlagCenter = 0x1;
constexpr int TextFlagRight = 0x2;
constexpr int TextFlagVCenter = 0x4;
constexpr int TextFlagBottom = 0x8;
constexpr int TextFlagSingleLine = 0x20;
constexpr int TextFlagNoClip = 0x100;
constexpr int TextFlagCalcRect = 0x400;             // measure only: set rect's right and bottom
constexpr int TextFlagUseColourAlpha = 0x40000000;  // scale the alpha by the text colour's alpha
constexpr int TextFlagForceCached = static_cast<int>(0x80000000u);  // never the platform path

// Background modes.
constexpr int FontBackgroundTransparent = 1;
constexpr int FontBackgroundOpaque = 2;  // each glyph cell is filled with the background colour

// One cached glyph. Coverage is one byte per pixel, 0 no ink to 255 full ink; after the mono,
// shadow or outline threshold only 0, 255 and (effect pixels) 128 occur.
struct GlyphRecord {
  int32_t offset;  // 1-based position of the first coverage byte; 0 not rendered; -1 nothing
  int32_t width;
  int32_t height;
  int32_t advance;  // horizontal advance of the unrotated glyph
  uint32_t code;    // the UTF-16 code unit (records of codes 128 and above only)
};

// A font. Every operation runs on the thread that builds and draws the editor; drawing text may
// allocate (glyphs are rendered on first use), the setters and getters do not.
class Raster_IFont {
 public:
  virtual ~Raster_IFont() = default;
  virtual void AttachFont(RasterFontHandle font, int flags) = 0;
  virtual uint32_t SetTextColor(uint32_t colour) = 0;
  virtual uint32_t SetBackgroundColor(uint32_t colour) = 0;
  virtual uint32_t SetEffectColor(uint32_t colour) = 0;
  virtual int SetBackgroundMode(int mode) = 0;
  virtual void SetCombineMode(int blendMode, float alpha) = 0;
  virtual int DrawText(Raster_IBitmap* bitmap, const char* text, int len, IRectangle* rect,
                       int flags) = 0;
  virtual uint32_t GetTextColor() = 0;
  virtual RasterFontHandle GetHFont() = 0;
  virtual int LineHeight() = 0;
};

// A platform font plus a cache of its rendered glyphs: each character goes through the glyph
// source once, and drawing then blends its coverage into any bitmap with the blend operations.
// Glyph bitmaps shared by all fonts live from the first need until the last font is destroyed.
// Fonts are created, used and destroyed on one thread at a time.
class Raster_CachedFont : public Raster_IFont {
 public:
  // An empty font drawing through source (the platform's source when null).
  // Font thread; allocates nothing.
  explicit Raster_CachedFont(Raster_GlyphSource* source = nullptr);
  // Deletes an owned font handle; the last font frees the shared glyph bitmaps. Font thread.
  ~Raster_CachedFont() override;

  Raster_CachedFont(const Raster_CachedFont&) = delete;
  Raster_CachedFont& operator=(const Raster_CachedFont&) = delete;

  // Takes the font handle (null detaches), measures its line height and empties the glyph cache;
  // with FontFlagPrecache renders codes 0-127. Font thread; allocates.
  void AttachFont(RasterFontHandle font, int flags) override;
  // Each setter stores its value and returns the previous one. Font thread; no allocation.
  uint32_t SetTextColor(uint32_t colour) override;
  uint32_t SetBackgroundColor(uint32_t colour) override;
  uint32_t SetEffectColor(uint32_t colour) override;  // shadow and outline pixels
  int SetBackgroundMode(int mode) override;
  // The blend mode word and weight of every glyph blend. Font thread; no allocation.
  void SetCombineMode(int blendMode, float alpha) override;
  // Draws or (TextFlagCalcRect) measures UTF-8 text; see DrawTextUtf8. Font thread; may allocate
  // (glyphs rendered on first use).
  int DrawText(Raster_IBitmap* bitmap, const char* text, int len, IRectangle* rect,
               int flags) override;
  // Font thread; no allocation (as the getters below).
  uint32_t GetTextColor() override { return textColour; }
  RasterFontHandle GetHFont() override { return font; }
  int LineHeight() override { return lineHeight; }

  // Draws one cached glyph with its top-left corner at (x, y), clipped to clip and to the bitmap;
  // true when anything was drawn. Font thread; allocates nothing.
  virtual bool DrawGlyph(Raster_IBitmap* bitmap, uint16_t code, int x, int y,
                         const IRectangle* clip);

  // Draws (or measures) len bytes of UTF-8 text (len < 0: up to the NUL) in rect: lines, the
  // alignment flags, vertical text for rotated fonts. The result is the height drawn or measured
  // (the width for vertical text); bitmap may be null for measuring. Font thread; may allocate.
  int DrawTextUtf8(Raster_IBitmap* bitmap, const char* text, int len, IRectangle* rect, int flags);

  // Renders code into the cache (false when it cannot be). Font thread; allocates.
  bool RenderGlyph(uint16_t code);
  // The record of code, or null when there is none yet (codes below 128 always have one).
  // Font thread; allocates nothing. The pointer is valid until the next glyph is rendered.
  GlyphRecord* FindGlyph(uint16_t code);
  // The coverage bytes of a rendered record (null otherwise). Font thread; allocates nothing.
  const uint8_t* GlyphPixels(const GlyphRecord* record) const;

  // The stored settings. Font thread; no allocation.
  uint32_t GetBackgroundColor() const { return backgroundColour; }
  uint32_t GetEffectColor() const { return effectColour; }
  int GetBackgroundMode() const { return backgroundMode; }
  int GetCombineMode() const { return combineMode; }
  float GetAlpha() const { return alpha; }
  int GetFlags() const { return flags; }

 private:
  bool DrawGlyphWithAlpha(Raster_IBitmap* bitmap, uint16_t code, int x, int y,
                          const IRectangle* clip, float weight);
  int DrawTextNative(Raster_IBitmap* bitmap, const char* text, int len, IRectangle* rect,
                     int flags);
  int DrawTextCached(Raster_IBitmap* bitmap, const char* text, int len, IRectangle* rect,
                     int flags);
  GlyphRecord* GlyphForLayout(uint16_t code);
  GlyphRecord* AddRecord(uint16_t code);
  void ClearCache();

  uint32_t textColour = 0;
  uint32_t backgroundColour = 0xFFFFFFFF;
  uint32_t effectColour = 0xFFFFFFFF;
  int backgroundMode = FontBackgroundTransparent;
  int combineMode = 0;
  float alpha = 1.0f;
  int flags = 0;
  int lineHeight = 0;
  GlyphRecord asciiGlyphs[128];
  HeapBuffer records{HeapBuffer::kPageGranularity};  // GlyphRecords of codes >= 128, by code
  HeapBuffer pixels{65536};                          // coverage bytes of every rendered glyph
  RasterFontHandle font = nullptr;
  Raster_GlyphSource* source;
};

// Decodes one UTF-8 character at p into code and returns the bytes it took. Two- and three-byte
// sequences give their 16-bit code; four-byte sequences (beyond 16 bits) give a space; anything
// else, a sequence cut short included, gives the first byte's value and takes 1 byte. available
// limits the bytes read (negative: the text ends at its NUL). Any thread; allocates nothing.
int Raster_DecodeUtf8Char(const char* p, int available, uint16_t* code);
inline int Raster_DecodeUtf8Char(const char* p, uint16_t* code) {
  return Raster_DecodeUtf8Char(p, -1, code);
}

// Blurs the top-left w x h pixels of the shared glyph bitmap (Raster_BlurBitmap).
// Font thread; may allocate a row for widths above 1024.
void Raster_BlurArea(int w, int h);
// Blurs the top-left w x h pixels of bitmap in place, per channel: half the pixel plus an eighth
// of each of its four neighbours; at an edge the missing neighbour's share goes to the inner one.
// Font thread; may allocate a row for widths above 1024.
void Raster_BlurBitmap(Raster_IBitmap* bitmap, int w, int h);

// The bitmap every glyph is rendered into (null until a font first needs it). Font thread.
Raster_IBitmap* Raster_GlyphBitmap();
// The compatibility-layer flag that keeps text off the platform path: -1 not yet probed, 0 no,
// 1 yes. Setting -1 probes again on next need; tests set 0 to run the platform path there.
// Font thread; allocates nothing.
int Raster_CompatibilityLayerFlag();
void Raster_SetCompatibilityLayerFlag(int flag);
