// The editor's pixel geometry and its 35 images. Coordinates are editor pixels at single scale;
// the double-scale editor doubles every coordinate and uses pictures of twice the pixel size with
// the same frame counts. Header-only constant data: any thread, nothing allocates.
#pragma once

#include <array>

namespace EditorLayout {

// A rectangle in editor pixels: left and top inclusive, right and bottom exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Contains(const Rect& other) const {
    return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
  }
  constexpr bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

constexpr int kSingleScale = 1;
constexpr int kDoubleScale = 2;

// One coordinate or a whole rectangle at the given scale (1 or 2).
constexpr int Scaled(int value, int scale) {
  return value * scale;
}
constexpr Rect Scaled(const Rect& r, int scale) {
  return {r.left * scale, r.top * scale, r.right * scale, r.bottom * scale};
}

constexpr int kEditorWidth = 1000;
constexpr int kEditorHeight = 530;
constexpr Rect kEditorRect = {0, 0, kEditorWidth, kEditorHeight};

// Image resource ids (type "PNG").
enum ImageId : int {
  kImageBackground = 101,
  kImageHeader = 102,
  kImagePresetBackward = 103,
  kImagePresetForward = 104,
  kImagePresetLoad = 105,
  kImagePresetSave = 106,
  kImageEffectSwitch = 107,
  kImageRedLed = 108,
  kImageOvertoneSet = 109,
  kImageVoiceMode = 110,
  kImageArpMode = 111,
  kImageKeyNatural = 112,
  kImageKeySharp = 113,
  kImageKnobBlue = 114,
  kImageKnobGreen = 115,
  kImageKnobGrey = 116,
  kImageKnobOrange = 117,
  kImageKnobPurple = 118,
  kImageKnobRed = 119,
  kImageKnobViolet = 120,
  kImageKnobWhite = 121,
  kImageSmallKnobGrey = 122,
  kImageSmallKnobKarmaRed = 123,
  kImageSmallKnobViolet = 124,
  kImageCartridgeChorus = 125,
  kImageCartridgeBitcrusher = 126,
  kImageCartridgeDelay = 127,
  kImageCartridgeFlanger = 128,
  kImageCartridgeFoldback = 129,
  kImageCartridgeReverb = 130,
  kImageCartridgeSolid = 131,
  kImageCartridgeTube = 132,
  kImageMainPanel = 133,
  kImageWheel = 134,
  kImageSmallKnobLightGrey = 135,
};
constexpr int kFirstImageId = kImageBackground;
constexpr int kImageCount = 35;

// One picture: frames are stacked top to bottom, each width x (height / frames).
struct Image {
  int id;
  const char* stem;
  int width;
  int height;
  int frames;

  constexpr int FrameHeight() const { return height / frames; }
};

// The resource name of an image is kImageNamePrefix + stem + kImageNameSuffix.
constexpr const char* kImageNamePrefix = "resources/img/va_";
constexpr const char* kImageNameSuffix = ".png";

constexpr int kKnobFrames = 99;

// In id order, sizes at single scale.
inline constexpr std::array<Image, kImageCount> kImages = {{
    {kImageBackground, "background_0001", 1000, 1000, 1},
    {kImageHeader, "panel_header_0001", 1000, 30, 1},
    {kImagePresetBackward, "button_preset_backward_0001", 20, 25, 1},
    {kImagePresetForward, "button_preset_forward_0001", 20, 25, 1},
    {kImagePresetLoad, "button_preset_load_0001", 40, 25, 1},
    {kImagePresetSave, "button_preset_save_0001", 40, 25, 1},
    {kImageEffectSwitch, "button_0011", 32, 24, 2},
    {kImageRedLed, "button_0043_red", 16, 32, 2},
    {kImageOvertoneSet, "button_0044", 40, 240, 6},
    {kImageVoiceMode, "button_0045", 40, 120, 3},
    {kImageArpMode, "button_0046", 40, 200, 5},
    {kImageKeyNatural, "button_keybuttonnatural_0001_blue", 30, 160, 2},
    {kImageKeySharp, "button_keybuttonsharp_0001_blue", 30, 160, 2},
    {kImageKnobBlue, "knob_0018_blue", 40, 3960, kKnobFrames},
    {kImageKnobGreen, "knob_0018_green", 40, 3960, kKnobFrames},
    {kImageKnobGrey, "knob_0018_grey", 40, 3960, kKnobFrames},
    {kImageKnobOrange, "knob_0018_orange", 40, 3960, kKnobFrames},
    {kImageKnobPurple, "knob_0018_purple", 40, 3960, kKnobFrames},
    {kImageKnobRed, "knob_0018_red", 40, 3960, kKnobFrames},
    {kImageKnobViolet, "knob_0018_violet", 40, 3960, kKnobFrames},
    {kImageKnobWhite, "knob_0019_white", 40, 3960, kKnobFrames},
    {kImageSmallKnobGrey, "knob_0022_grey", 20, 1980, kKnobFrames},
    {kImageSmallKnobKarmaRed, "knob_0022_karmared", 20, 1980, kKnobFrames},
    {kImageSmallKnobViolet, "knob_0022_violet", 20, 1980, kKnobFrames},
    {kImageCartridgeChorus, "panel_chors_0001_cart", 450, 90, 1},
    {kImageCartridgeBitcrusher, "panel_crushr_0001_cart", 450, 90, 1},
    {kImageCartridgeDelay, "panel_dlay_0001_cart", 450, 90, 1},
    {kImageCartridgeFlanger, "panel_flangr_0001_cart", 450, 90, 1},
    {kImageCartridgeFoldback, "panel_pheebee_0001_cart", 450, 90, 1},
    {kImageCartridgeReverb, "panel_reeverb_0001_cart", 450, 90, 1},
    {kImageCartridgeSolid, "panel_solida_0001_cart", 450, 90, 1},
    {kImageCartridgeTube, "panel_xtreme_0001_cart", 450, 90, 1},
    {kImageMainPanel, "panel_tovalunesynth_0001", 960, 470, 1},
    {kImageWheel, "wheel_0002_blue", 70, 1600, 20},
    {kImageSmallKnobLightGrey, "knob_0022_lightgrey", 20, 1980, kKnobFrames},
}};

constexpr bool IsImageId(int id) {
  return id >= kFirstImageId && id < kFirstImageId + kImageCount;
}
// The table row of an image id (which must satisfy IsImageId).
constexpr const Image& ImageById(int id) {
  return kImages[id - kFirstImageId];
}

// The rectangle of a picture-based control placed at (x, y): one frame of the image.
constexpr Rect PlaceImage(int x, int y, int imageId) {
  return {x, y, x + ImageById(imageId).width, y + ImageById(imageId).FrameHeight()};
}

// The order in which the editor loads the images after the background.
inline constexpr std::array<int, kImageCount - 1> kImageLoadOrder = {{
    kImageHeader,
    kImageMainPanel,
    kImageCartridgeChorus,
    kImageCartridgeBitcrusher,
    kImageCartridgeFoldback,
    kImageCartridgeSolid,
    kImageCartridgeDelay,
    kImageCartridgeFlanger,
    kImageCartridgeReverb,
    kImageCartridgeTube,
    kImagePresetLoad,
    kImagePresetSave,
    kImagePresetBackward,
    kImagePresetForward,
    kImageEffectSwitch,
    kImageRedLed,
    kImageOvertoneSet,
    kImageVoiceMode,
    kImageArpMode,
    kImageKeyNatural,
    kImageKeySharp,
    kImageKnobBlue,
    kImageKnobGreen,
    kImageKnobGrey,
    kImageKnobOrange,
    kImageKnobPurple,
    kImageKnobRed,
    kImageKnobViolet,
    kImageKnobWhite,
    kImageSmallKnobGrey,
    kImageSmallKnobLightGrey,
    kImageSmallKnobKarmaRed,
    kImageSmallKnobViolet,
    kImageWheel,
}};

}  // namespace EditorLayout
