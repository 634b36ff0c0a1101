#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "raster/blend.h"
#include "raster/blend_ops.h"
#include "raster/font.h"
#include "raster/font_shared.h"

using RasterBlend::RowAt;

namespace {

constexpr int kNoInk = 0;
constexpr int kEffect = 128;
constexpr int kInk = 255;

// Turns a w x h coverage block a quarter round, using scratch (at least w * h bytes) for the
// old layout. Clockwise: new (x, y) = old (y, h - 1 - x); counter-clockwise: old (w - 1 - y, x).
void Rotate(uint8_t* glyph, int w, int h, bool counterClockwise, uint8_t* scratch) {
  std::memcpy(scratch, glyph, static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < w; ++y) {
    for (int x = 0; x < h; ++x) {
      const int oldX = counterClockwise ? w - 1 - y : y;
      const int oldY = counterClockwise ? x : h - 1 - x;
      glyph[y * h + x] = scratch[oldY * w + oldX];
    }
  }
}

void Threshold(uint8_t* glyph, int count) {
  for (int i = 0; i < count; ++i)
    glyph[i] = glyph[i] > 130 ? kInk : kNoInk;
}

// Marks blank pixels next to ink as effect pixels in one pass. Only full ink counts, so marks
// never spread from other marks.
void AddEffect(uint8_t* glyph, int w, int h, bool shadow) {
  auto ink = [&](int x, int y) {
    return x >= 0 && x < w && y >= 0 && y < h && glyph[y * w + x] == kInk;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (glyph[y * w + x] != kNoInk) continue;
      const bool touched = shadow
                               ? ink(x - 1, y) || ink(x - 1, y - 1) || ink(x, y - 1)
                               : ink(x, y - 1) || ink(x, y + 1) || ink(x - 1, y) || ink(x + 1, y);
      if (touched) glyph[y * w + x] = kEffect;
    }
  }
}

}  // namespace

bool Raster_CachedFont::RenderGlyph(uint16_t code) {
  if (lineHeight >= 1024) return false;
  GlyphRecord* record = FindGlyph(code);
  if (!record) {
    if (flags & FontFlagPrecache) return false;
    record = AddRecord(code);
    if (!record) return false;
  }

  const int n = std::max(lineHeight, 1) * 2 + 8;
  Raster_IBitmap* canvas = RasterFontShared::GlyphBitmap();
  if (!canvas) return false;
  if (canvas->Width() < n || canvas->Height() < n) canvas->Resize(n, n);
  if (!RasterBlend::HasPixels(canvas)) return false;

  // A little room right of the advance for the ink of slanted and overhanging characters.
  const int extraColumns = 2 + (lineHeight >= 16 ? lineHeight / 16 : 0);
  Raster_GlyphCell cell{0, 0, 0};
  if (!source->DrawGlyphCell(font, code, extraColumns, canvas, &cell)) cell = {0, 0, 0};
  const int advance = std::min(cell.advance, canvas->Width());
  const int boxWidth = std::min(cell.width, canvas->Width());
  const int boxHeight = std::min(cell.height, canvas->Height());
  if (advance < 1 || boxWidth < 1 || boxHeight < 1) {
    *record = GlyphRecord{-1, 0, 0, 0, record->code};
    return true;
  }
  record->advance = advance;
  if (flags & FontFlagBlur) Raster_BlurArea(boxWidth, boxHeight);

  const int32_t start = pixels.Size();
  const int64_t boxBytes = int64_t{boxWidth} * boxHeight;
  if (!pixels.PutBytes(nullptr, static_cast<int32_t>(boxBytes))) {
    *record = GlyphRecord{-1, 0, 0, 0, record->code};
    return true;
  }
  uint8_t* glyph = pixels.Bytes() + start;

  // Coverage is the red byte; the glyph is as wide as its advance and any ink right of it, but
  // never wider than the cell that was stored (a source may draw a cell narrower than the
  // advance).
  int width = std::min(advance, boxWidth);
  for (int y = 0; y < boxHeight; ++y) {
    const uint32_t* row = RowAt(canvas, 0, y).pixel;
    for (int x = 0; x < boxWidth; ++x) {
      const int red = RasterBlend::Channel(row[x], 2);
      glyph[y * boxWidth + x] = static_cast<uint8_t>((flags & FontFlagInvert) ? 255 - red : red);
      if (x >= width && red != 0) width = x + 1;
    }
  }
  if (width < boxWidth) {
    for (int y = 1; y < boxHeight; ++y) {
      std::memmove(glyph + y * width, glyph + y * boxWidth, static_cast<size_t>(width));
    }
    pixels.Resize(start + width * boxHeight);
  }

  int height = boxHeight;
  if (flags & FontFlagRotate) {
    // The glyph bitmap's pixels are free again and hold at least width x height bytes.
    Rotate(glyph, width, height, (flags & FontFlagRotateCounterClockwise) != 0,
           reinterpret_cast<uint8_t*>(canvas->Bits()));
    std::swap(width, height);
  }
  if (flags & (FontFlagMono | FontFlagShadow | FontFlagOutline)) Threshold(glyph, width * height);
  if (flags & (FontFlagShadow | FontFlagOutline)) {
    AddEffect(glyph, width, height, (flags & FontFlagShadow) != 0);
  }
  record->offset = start + 1;
  record->width = width;
  record->height = height;
  return true;
}

void Raster_BlurArea(int w, int h) {
  Raster_BlurBitmap(Raster_GlyphBitmap(), w, h);
}

void Raster_BlurBitmap(Raster_IBitmap* bitmap, int w, int h) {
  if (!bitmap || !RasterBlend::HasPixels(bitmap)) return;
  w = std::min(w, bitmap->Width());
  h = std::min(h, bitmap->Height());
  if (w < 2 || h < 2) return;

  // Every output comes from the pixels before the blur: the row above is kept as it was (on the
  // stack for common widths); left, right and below are read before they change.
  constexpr int kStackRow = 1024;
  uint32_t stackRow[kStackRow];
  std::unique_ptr<uint32_t[]> heapRow;
  uint32_t* above = stackRow;
  if (w > kStackRow) {
    heapRow.reset(new (std::nothrow) uint32_t[static_cast<size_t>(w)]);
    above = heapRow.get();  // without it the row above is read already blurred
  }
  auto half = [](uint32_t v) { return (v >> 1) & 0x7F7F7F7Fu; };
  auto quarter = [](uint32_t v) { return (v >> 2) & 0x3F3F3F3Fu; };
  auto eighth = [](uint32_t v) { return (v >> 3) & 0x1F1F1F1Fu; };

  for (int y = 0; y < h; ++y) {
    uint32_t* row = RowAt(bitmap, 0, y).pixel;
    const uint32_t* below = y + 1 < h ? RowAt(bitmap, 0, y + 1).pixel : nullptr;
    const uint32_t* blurredAbove = y > 0 ? RowAt(bitmap, 0, y - 1).pixel : nullptr;
    uint32_t left = 0;
    for (int x = 0; x < w; ++x) {
      const uint32_t centre = row[x];
      const uint32_t right = x + 1 < w ? row[x + 1] : 0;
      const uint32_t up = y == 0 ? 0 : (above ? above[x] : blurredAbove[x]);
      const uint32_t down = below ? below[x] : 0;
      const uint32_t across =
          x == 0 ? quarter(right) : (x == w - 1 ? quarter(left) : eighth(left) + eighth(right));
      const uint32_t upDown =
          y == 0 ? quarter(down) : (y == h - 1 ? quarter(up) : eighth(up) + eighth(down));
      if (above) above[x] = centre;
      left = centre;
      row[x] = half(centre) + across + upDown;
    }
  }
}
