// The pictures measured from their pixels: knob pointers, the wheel's marker, transparency.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "instrument/editor/editor_layout.h"
#include "png_picture.h"

namespace {

using namespace EditorLayout;

constexpr int kKnobs[] = {114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 135};

int Difference(const std::uint8_t* a, const std::uint8_t* b) {
  int sum = 0;
  for (int c = 0; c < 4; ++c)
    sum += std::abs(a[c] - b[c]);
  return sum;
}

// The pointer of one frame is where it differs from two frames whose pointers point elsewhere
// (the body is the same in every frame); its angle is that of the centroid, in degrees
// clockwise from straight up.
double PointerAngle(const Picture& strip, int frames, int frame, int otherA, int otherB) {
  const int size = strip.width;
  const int frameHeight = strip.height / frames;
  double sumX = 0, sumY = 0, weight = 0;
  for (int y = 0; y < frameHeight; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = strip.At(x, frame * frameHeight + y);
      const int d = std::min(Difference(p, strip.At(x, otherA * frameHeight + y)),
                             Difference(p, strip.At(x, otherB * frameHeight + y)));
      if (d < 40) continue;
      sumX += d * (x + 0.5);
      sumY += d * (y + 0.5);
      weight += d;
    }
  }
  if (weight == 0) return NAN;
  const double dx = sumX / weight - size / 2.0;
  const double dy = size / 2.0 - sumY / weight;
  return std::atan2(dx, dy) * 180.0 / M_PI;
}

TEST(ArtworkPixels, KnobFramesHaveTransparentCornersAndTurnFromMinus135To135) {
  for (int id : kKnobs) {
    for (int scale : {1, 2}) {
      SCOPED_TRACE(ImagePath(id, scale));
      Picture strip;
      ASSERT_TRUE(strip.Load(ImagePath(id, scale)));
      const int frames = ImageById(id).frames;
      const int w = strip.width;
      const int h = strip.height / frames;
      for (int f = 0; f < frames; ++f) {
        for (int corner = 0; corner < 4; ++corner) {
          const int x = corner % 2 ? w - 1 : 0;
          const int y = f * h + (corner / 2 ? h - 1 : 0);
          ASSERT_EQ(strip.Alpha(x, y), 0) << "frame " << f + 1 << " corner " << corner;
        }
      }
      const double tolerance = scale == 1 ? 3.0 : 2.0;
      EXPECT_NEAR(PointerAngle(strip, frames, 0, 49, 98), -135.0, tolerance);
      EXPECT_NEAR(PointerAngle(strip, frames, 49, 0, 98), 0.0, tolerance);
      EXPECT_NEAR(PointerAngle(strip, frames, 98, 0, 49), 135.0, tolerance);
      EXPECT_NEAR(PointerAngle(strip, frames, 24, 74, 98), -67.5, tolerance);
    }
  }
}

// Centre of the bright blue marker of one wheel frame, in frame pixels.
bool MarkerCentre(const Picture& strip, int frame, double* x, double* y) {
  const int h = strip.height / ImageById(kImageWheel).frames;
  double sumX = 0, sumY = 0, count = 0;
  for (int py = 0; py < h; ++py) {
    for (int px = 0; px < strip.width; ++px) {
      const std::uint8_t* p = strip.At(px, frame * h + py);
      if (p[3] < 255 || p[2] < 200 || p[2] - p[0] < 60) continue;
      sumX += px + 0.5;
      sumY += py + 0.5;
      ++count;
    }
  }
  if (count == 0) return false;
  *x = sumX / count;
  *y = sumY / count;
  return true;
}

TEST(ArtworkPixels, WheelCentresFrame11AndDrawsOnlyItsMiddleColumns) {
  for (int scale : {1, 2}) {
    Picture strip;
    ASSERT_TRUE(strip.Load(ImagePath(kImageWheel, scale)));
    double x, y;
    ASSERT_TRUE(MarkerCentre(strip, FrameForValue(0.5, 20) - 1, &x, &y));
    EXPECT_NEAR(x, 35.0 * scale, 0.5 * scale);
    EXPECT_NEAR(y, 40.0 * scale, 0.5 * scale);
    double previous = 1e9;
    for (int frame = 0; frame < 20; ++frame) {
      ASSERT_TRUE(MarkerCentre(strip, frame, &x, &y)) << frame;
      EXPECT_LT(y, previous) << "the marker rises with the frame";
      previous = y;
    }
    for (int py = 0; py < strip.height; ++py) {
      for (int px = 0; px < strip.width; ++px) {
        if (px >= kWheelDrawnLeft * scale && px < kWheelDrawnRight * scale) continue;
        ASSERT_EQ(strip.Alpha(px, py), 0) << px << "," << py;
      }
    }
  }
}

int Brightness(const std::uint8_t* p) {
  return std::max({p[0], p[1], p[2]});
}

// The brightest pixel of a rectangle (in picture pixels, clipped to the picture).
int BrightestIn(const Picture& picture, int left, int top, int right, int bottom) {
  int brightest = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, picture.height); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, picture.width); ++x) {
      brightest = std::max(brightest, Brightness(picture.At(x, y)));
    }
  }
  return brightest;
}

// Every knob, switch and wheel sits in a dark well of the picture below it, with its caption
// under it (beside it for the effect switches).
TEST(ArtworkPixels, PanelPicturesPlaceAWellAndCaptionForEveryControl) {
  for (int scale : {1, 2}) {
    Picture panels[kEffectPanelCount + 1];
    ASSERT_TRUE(panels[0].Load(ImagePath(kImageMainPanel, scale)));
    for (int p = 0; p < kEffectPanelCount; ++p) {
      ASSERT_TRUE(panels[p + 1].Load(ImagePath(kEffectPanels[p].cartridgeImage, scale)));
    }
    int checked = 0;
    for (const Control& c : kControls) {
      if (c.kind != ControlKind::kKnob && c.kind != ControlKind::kSwitch &&
          c.kind != ControlKind::kPitchWheel) {
        continue;
      }
      const Picture& below = panels[c.panel + 1];
      const int originX = c.panel < 0 ? kControls[2].rect.left : kEffectPanels[c.panel].x;
      const int originY = c.panel < 0 ? kControls[2].rect.top : kEffectPanels[c.panel].y;
      const Rect r = Scaled({c.rect.left - originX, c.rect.top - originY, c.rect.right - originX,
                             c.rect.bottom - originY},
                            scale);
      const std::uint8_t* centre = below.At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      EXPECT_EQ(centre[3], 255);
      EXPECT_LT(Brightness(centre), 40)
          << "no well under control at " << c.rect.left << "," << c.rect.top;
      if (c.caption) {
        const bool beside = c.image == kImageEffectSwitch;
        const int s = scale;
        const int bright =
            beside ? BrightestIn(below, r.right + 3 * s, r.top, r.right + 20 * s, r.bottom)
                   : BrightestIn(below, r.left - 10 * s, r.bottom + 4 * s, r.right + 10 * s,
                                 r.bottom + 10 * s);
        EXPECT_GT(bright, 150) << "no caption " << c.caption;
      }
      ++checked;
    }
    EXPECT_EQ(checked, 2 + 8 + 29 + 31 + 6 + 31 + 7);
  }
}

TEST(ArtworkPixels, BackgroundIsFullyOpaque) {
  for (int scale : {1, 2}) {
    Picture background;
    ASSERT_TRUE(background.Load(ImagePath(kImageBackground, scale)));
    for (int y = 0; y < background.height; ++y) {
      for (int x = 0; x < background.width; ++x)
        ASSERT_EQ(background.Alpha(x, y), 255);
    }
  }
}

TEST(ArtworkPixels, EveryStateOfASwitchOrKeyLooksDifferent) {
  for (int id : {107, 108, 109, 110, 111, 112, 113}) {
    Picture strip;
    ASSERT_TRUE(strip.Load(ImagePath(id, 1)));
    const int frames = ImageById(id).frames;
    const size_t frameBytes = strip.rgba.size() / frames;
    for (int a = 0; a < frames; ++a) {
      for (int b = a + 1; b < frames; ++b) {
        int changed = 0;
        for (size_t i = 0; i < frameBytes; i += 4) {
          changed +=
              Difference(&strip.rgba[a * frameBytes + i], &strip.rgba[b * frameBytes + i]) > 60;
        }
        EXPECT_GT(changed, 20) << "image " << id << " frames " << a + 1 << " and " << b + 1;
      }
    }
  }
}

}  // namespace
