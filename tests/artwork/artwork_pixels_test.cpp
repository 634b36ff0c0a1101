// The pictures measured from their pixels: knob pointers, the wheel's marker, transparency.
#include <gtest/gtest.h>

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
