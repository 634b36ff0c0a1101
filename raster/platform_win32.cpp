// The platform services on Windows: DIB-section bitmaps, the registry probe for the
// compatibility layer and the platform's text function.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "framework/utf8_text.h"
#include "framework/wide_text_win32.h"
#include "raster/platform.h"
#include "raster/sys_bitmap.h"

namespace {

COLORREF ToColorRef(uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// True when the bytes hold a UTF-8 sequence of two or more bytes.
bool HasMultiByteSequence(const char* text, int count) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  for (int i = 0; i < count; ++i) {
    if (p[i] >= 0xC2 && p[i] <= 0xDF) {
      if (i + 1 < count && IsUtf8Continuation(p[i + 1])) return true;
    } else if (p[i] >= 0xE0 && p[i] <= 0xF4) {
      if (i + 2 < count && IsUtf8Continuation(p[i + 1]) && IsUtf8Continuation(p[i + 2]))
        return true;
    }
  }
  return false;
}

// The bytes of the text: len of them, or to the NUL, never past a NUL.
int TextLength(const char* text, int len) {
  if (len < 0) return static_cast<int>(std::min<size_t>(std::strlen(text), INT32_MAX));
  const void* end = std::memchr(text, 0, static_cast<size_t>(len));
  return end ? static_cast<int>(static_cast<const char*>(end) - text) : len;
}

// Draws the text as UTF-16 when it holds multi-byte sequences that convert, else as bytes.
int DrawTextBytesOrWide(HDC dc, const char* text, int count, RECT* box, UINT format) {
  if (HasMultiByteSequence(text, count)) {
    const int wide = Utf8ToWideStrict(text, count, nullptr, 0);
    if (wide > 0) {
      constexpr int kStackChars = 1024;
      wchar_t stackBuffer[kStackChars];
      std::unique_ptr<wchar_t[]> heapBuffer;
      wchar_t* buffer = stackBuffer;
      int capacity = kStackChars;
      if (wide >= 1000) {
        capacity = wide + 32;
        heapBuffer.reset(new (std::nothrow) wchar_t[static_cast<size_t>(capacity)]);
        buffer = heapBuffer.get();
      }
      const int converted = buffer ? Utf8ToWideStrict(text, count, buffer, capacity) : 0;
      if (converted > 0) return DrawTextW(dc, buffer, converted, box, format);
    }
  }
  return DrawTextA(dc, text, count, box, format);
}

}  // namespace

Raster_IBitmap* Raster_NewDeviceBitmap(int w, int h) {
  return new (std::nothrow) Raster_SysBitmap(w, h);
}

bool Raster_HasPlatformText() {
  return true;
}

bool Raster_ProbeCompatibilityLayer() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

int Raster_DrawPlatformText(RasterDeviceContext context, RasterFontHandle font, const char* text,
                            int len, IRectangle* rect, int flags,
                            const Raster_PlatformTextStyle& style) {
  HDC dc = static_cast<HDC>(context);
  if (!dc || !text || !rect) return 0;
  HGDIOBJ previous = font ? SelectObject(dc, static_cast<HFONT>(font)) : nullptr;
  SetTextColor(dc, ToColorRef(style.textColour));
  if (style.backgroundMode == OPAQUE) SetBkColor(dc, ToColorRef(style.backgroundColour));
  SetBkMode(dc, style.backgroundMode);
  RECT box = {rect->left, rect->top, rect->right, rect->bottom};
  // Only the platform's own format bits go on; the library's high bits stay here.
  const UINT format = (static_cast<UINT>(flags) & 0x3FFFFFFFu) | DT_NOPREFIX;
  const int result = DrawTextBytesOrWide(dc, text, TextLength(text, len), &box, format);
  if (format & DT_CALCRECT) *rect = {box.left, box.top, box.right, box.bottom};
  GdiFlush();
  if (previous) SelectObject(dc, previous);
  return result;
}
