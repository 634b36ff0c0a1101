#include <algorithm>
#include <cstdint>

#include "raster/blend.h"
#include "raster/font.h"
#include "raster/font_shared.h"
#include "raster/platform.h"

namespace {

constexpr int kAlignmentFlags = TextFlagCenter | TextFlagRight | TextFlagVCenter | TextFlagBottom;
constexpr int kMinScratchSize = 4;

}  // namespace

// The platform's text function draws straight into a bitmap with a device context. Bitmaps
// without one (and measuring without a bitmap) go through the shared scratch bitmap: the target
// box is copied there, the text drawn over it and the box copied back with the font's alpha.
int Raster_CachedFont::DrawTextNative(Raster_IBitmap* bitmap, const char* text, int len,
                                      IRectangle* rect, int textFlags) {
  const Raster_PlatformTextStyle style{textColour, backgroundColour, backgroundMode};
  if (bitmap && bitmap->DeviceContext()) {
    return Raster_DrawPlatformText(bitmap->DeviceContext(), font, text, len, rect, textFlags,
                                   style);
  }

  Raster_IBitmap* scratch = RasterFontShared::TextScratchBitmap();
  if (!scratch) return 0;
  if (scratch->Width() < kMinScratchSize || scratch->Height() < kMinScratchSize) {
    scratch->Resize(std::max(scratch->Width(), kMinScratchSize),
                    std::max(scratch->Height(), kMinScratchSize));
  }
  if (!scratch->DeviceContext()) return 0;

  IRectangle measured{0, 0, 0, 0};
  const int measuredResult =
      Raster_DrawPlatformText(scratch->DeviceContext(), font, text, len, &measured,
                              (textFlags & ~kAlignmentFlags) | TextFlagCalcRect, style);
  const int64_t w = int64_t{measured.right} - measured.left;
  const int64_t h = int64_t{measured.bottom} - measured.top;
  if (textFlags & TextFlagCalcRect) {
    rect->right = static_cast<int>(std::min<int64_t>(rect->left + w, INT32_MAX));
    rect->bottom = static_cast<int>(std::min<int64_t>(rect->top + h, INT32_MAX));
    return measuredResult;
  }

  // Place the text's box, then cut it to the bitmap (and the rectangle, unless unclipped).
  int64_t x = rect->left, y = rect->top;
  if (textFlags & TextFlagRight)
    x = rect->right - w;
  else if (textFlags & TextFlagCenter)
    x = (int64_t{rect->left} + rect->right - w) / 2;
  if (textFlags & TextFlagBottom)
    y = rect->bottom - h;
  else if (textFlags & TextFlagVCenter)
    y = (int64_t{rect->top} + rect->bottom - h) / 2;
  const bool noClip = (textFlags & TextFlagNoClip) != 0;
  int64_t right = std::min<int64_t>(x + w, bitmap->Width());
  int64_t bottom = std::min<int64_t>(y + h, bitmap->Height());
  if (!noClip) {
    right = std::min<int64_t>(right, rect->right);
    bottom = std::min<int64_t>(bottom, rect->bottom);
  }
  const int64_t left = std::max<int64_t>(x, noClip ? 0 : std::max(rect->left, 0));
  const int64_t top = std::max<int64_t>(y, noClip ? 0 : std::max(rect->top, 0));
  if (right <= left || bottom <= top) return 0;

  const int boxWidth = static_cast<int>(right - left), boxHeight = static_cast<int>(bottom - top);
  if (scratch->Width() < boxWidth || scratch->Height() < boxHeight) {
    scratch->Resize(std::max(scratch->Width(), boxWidth), std::max(scratch->Height(), boxHeight));
    if (scratch->Width() < boxWidth || scratch->Height() < boxHeight || !scratch->DeviceContext()) {
      return 0;
    }
  }
  const IRectangle box{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                       static_cast<int>(bottom)};
  Raster_BlitArea(scratch, bitmap, 0, 0, &box, 1.0f, BlendCopy);
  // What was cut on the left or top moves the text by as much.
  const int shiftX = static_cast<int>(x - left), shiftY = static_cast<int>(y - top);
  IRectangle textBox{shiftX, shiftY, static_cast<int>(shiftX + w), static_cast<int>(shiftY + h)};
  const int result =
      Raster_DrawPlatformText(scratch->DeviceContext(), font, text, len, &textBox,
                              textFlags & ~(kAlignmentFlags | TextFlagNoClip), style);
  const IRectangle drawn{0, 0, boxWidth, boxHeight};
  Raster_BlitArea(bitmap, scratch, box.left, box.top, &drawn, alpha, BlendCopy);
  return result;
}
