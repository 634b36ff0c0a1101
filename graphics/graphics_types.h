#pragma once

#include <cstdint>

#include "raster/rectangle.h"

class Raster_IBitmap;
class Raster_CachedFont;

// A colour with 0..255 channels.
struct IColor {
  int alpha;
  int red;
  int green;
  int blue;

  // The 0xAARRGGBB pixel of the raster library. Any thread; allocates nothing.
  uint32_t ToPixel() const {
    return (static_cast<uint32_t>(alpha & 0xFF) << 24) | (static_cast<uint32_t>(red & 0xFF) << 16) |
           (static_cast<uint32_t>(green & 0xFF) << 8) | static_cast<uint32_t>(blue & 0xFF);
  }
  // The platform's colour word: red in the low byte. Any thread; allocates nothing.
  uint32_t ToColorRef() const {
    return static_cast<uint32_t>(red & 0xFF) | (static_cast<uint32_t>(green & 0xFF) << 8) |
           (static_cast<uint32_t>(blue & 0xFF) << 16);
  }
};

constexpr IColor kColorTransparent{0, 0, 0, 0};
constexpr IColor kColorBlack{255, 0, 0, 0};
constexpr IColor kColorWhite{255, 255, 255, 255};

enum ITextStyleWeight : int { kTextNormal = 0, kTextBold = 1, kTextItalic = 2 };
enum ITextAlignment : int { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
enum ITextQuality : int {
  kQualityDefault = 0,
  kQualityNonAntialiased = 1,
  kQualityAntialiased = 2,
  kQualityClearType = 3
};

// How a text is drawn and which font draws it. Copied whole by the controls that keep one.
struct ITextStyle {
  static constexpr int kFaceSize = 32;

  char face[kFaceSize];
  int size;  // font height in pixels
  IColor colour;
  IColor entryBackground;  // background of a text-entry field over the control
  IColor entryTextColour;
  int style;                // ITextStyleWeight
  int alignment;            // ITextAlignment
  int orientation;          // degrees
  int quality;              // ITextQuality
  Raster_CachedFont* font;  // found through the font cache on first use; the cache owns it

  // "Verdana" 12, black, centred, on a white entry field. Any thread; allocates nothing.
  static ITextStyle Default();
  // The same style with another face (cut to 31 bytes), size, colour, weight and alignment.
  static ITextStyle Make(const char* face, int size, IColor colour, int style, int alignment);
};

// The raster blend modes the editor uses, by blend method.
enum IBlendMethod : int {
  kBlendSourceAlpha = 0,
  kBlendPlainCopy = 1,
  kBlendAdd = 2,
  kBlendDodge = 3
};

// A blit or fill's blend: the method and the weight (0..1).
struct IBlendSpec {
  int method;
  float weight;

  // The raster library's mode word for this method; a null spec copies with the source's alpha.
  // Any thread; allocates nothing.
  static int ModeFor(const IBlendSpec* blend);
  static float WeightFor(const IBlendSpec* blend) { return blend ? blend->weight : 1.0f; }
};

// A bitmap seen as a strip of equal frames, side by side or stacked.
struct IBitmapStrip {
  Raster_IBitmap* bitmap;  // owned by the bitmap cache
  int width;               // of the whole image
  int height;
  int frames;  // at least 1
  bool framesHorizontal;

  // Width and height of one frame. Any thread; allocates nothing.
  int FrameWidth() const { return framesHorizontal ? width / FrameCount() : width; }
  int FrameHeight() const { return framesHorizontal ? height : height / FrameCount(); }
  int FrameCount() const { return frames < 1 ? 1 : frames; }
};

// The mouse buttons and modifier keys at a mouse event.
struct IMouseKeys {
  bool left;
  bool right;
  bool shift;
  bool control;
  bool alt;
};

// The button a press or double-click came from (the keys may hold more than one).
enum class IMouseButton : int { kLeft = 0, kRight = 1, kMiddle = 2 };

// Key codes that controls receive.
enum IKeyCode : int {
  kKeySpace = 0,
  kKeyUp = 1,
  kKeyDown = 2,
  kKeyLeft = 3,
  kKeyRight = 4,
  kKeyDigit0 = 5,  // ... digit 9 is 14
  kKeyA = 15,      // ... Z is 40
  kKeyNone = -1,
};

// The key code of a platform virtual key (space 32, arrows 37-40, digits 48-57, letters 65-90),
// kKeyNone for every other key (the keypad and function keys included). Any thread; allocates
// nothing.
int KeyCodeForVirtualKey(int virtualKey);

// The normalized value clamped to [0, 1]; not a number gives 0. Any thread; allocates nothing.
constexpr double ClampNormalized(double value) {
  if (!(value > 0.0)) return 0.0;  // not a number too
  return value < 1.0 ? value : 1.0;
}

// Frame 1..frames that shows a normalized value: int((frames - 1) * value + 0.5) + 1 over the
// clamped value. The editor's controls and the artwork generator both pick frames with it.
// Any thread; allocates nothing.
constexpr int FrameForValue(double value, int frames) {
  if (frames < 2) return 1;
  const int frame = static_cast<int>((frames - 1) * ClampNormalized(value) + 0.5) + 1;
  return frame < frames ? frame : frames;
}
