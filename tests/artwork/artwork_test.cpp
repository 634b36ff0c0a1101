// The 35 editor pictures at both scales: the table's sizes and frame strips, and pixel facts
// that fail when a picture is drawn wrong.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "artwork_pictures.h"
#include "instrument/editor/editor_layout.h"

using namespace EditorLayout;

std::string PictureFile(int id, int scale) {
  return std::string(TOVALUNE_ARTWORK_DIR) + "/scale" + std::to_string(scale) + "/va_" +
         ImageById(id).stem + ".png";
}

namespace {

// A picture decoded to straight RGBA; width stays 0 when its bytes do not decode.
struct Picture {
  Picture(int id, int scale) : bytes(PictureBytes(id, scale)) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return;
    image.format = PNG_FORMAT_RGBA;
    rgba.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) return;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
  }
  const std::uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
  int Alpha(int x, int y) const { return At(x, y)[3]; }
  std::vector<std::uint8_t> bytes, rgba;
  int width = 0, height = 0;
};

int Difference(const std::uint8_t* a, const std::uint8_t* b) {
  int sum = 0;
  for (int c = 0; c < 4; ++c)
    sum += std::abs(a[c] - b[c]);
  return sum;
}

TEST(Artwork, EveryPictureIsAnRgbaStripOfItsTableSizeAtBothScales) {
  for (const Image& image : kImages) {
    for (int scale : {1, 2}) {
      SCOPED_TRACE(testing::Message() << image.stem << " at scale " << scale);
      const Picture picture(image.id, scale);
      ASSERT_GT(picture.bytes.size(), 29u);
      // The header's bit depth 8, colour type RGBA, standard compression and filter, no interlace.
      EXPECT_EQ(std::vector<int>(picture.bytes.begin() + 24, picture.bytes.begin() + 29),
                (std::vector<int>{8, 6, 0, 0, 0}));
      EXPECT_EQ(picture.width, image.width * scale);
      EXPECT_EQ(picture.height, image.height * scale);
      EXPECT_EQ(picture.height % image.frames, 0);
      if (image.id == kImageBackground) {
        for (size_t i = 3; i < picture.rgba.size(); i += 4)
          ASSERT_EQ(picture.rgba[i], 255) << "the background is opaque";
      }
    }
  }
}

// The centre (x, y) of frame f of a strip of frames of height h, each pixel weighted by
// weight(pixel, x, y) with y in strip rows; NaN when nothing weighs.
template <class Weight>
std::pair<double, double> Centre(const Picture& strip, int h, int f, Weight weight) {
  double sumX = 0, sumY = 0, total = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < strip.width; ++x) {
      const double w = weight(strip.At(x, f * h + y), x, f * h + y);
      sumX += w * (x + 0.5);
      sumY += w * (y + 0.5);
      total += w;
    }
  }
  return {sumX / total, sumY / total};
}

// The pointer of frame f is where it differs from frames a and b, whose pointers point elsewhere
// (the body is the same in every frame); its angle is the centre's, clockwise from straight up.
double PointerAngle(const Picture& strip, int h, int f, int a, int b) {
  const auto [x, y] = Centre(strip, h, f, [&](const std::uint8_t* p, int x, int y) {
    const int d = std::min(Difference(p, strip.At(x, y + (a - f) * h)),
                           Difference(p, strip.At(x, y + (b - f) * h)));
    return d < 40 ? 0 : d;
  });
  const double c = strip.width / 2.0;
  return std::atan2(x - c, c - y) * 180.0 / std::acos(-1.0);
}

TEST(Artwork, KnobFramesHaveTransparentCornersAndPointFromMinus135To135) {
  for (int id : {114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 135}) {
    for (int scale : {1, 2}) {
      SCOPED_TRACE(testing::Message() << id << " at scale " << scale);
      const Picture strip(id, scale);
      ASSERT_GT(strip.width, 0);
      const int w = strip.width, h = strip.height / kKnobFrames;
      for (int y = 0; y < strip.height; y += h) {
        ASSERT_EQ(strip.Alpha(0, y) + strip.Alpha(w - 1, y) + strip.Alpha(0, y + h - 1) +
                      strip.Alpha(w - 1, y + h - 1),
                  0)
            << "frame " << y / h + 1;
      }
      const double tolerance = scale == 1 ? 3.0 : 2.0;
      EXPECT_NEAR(PointerAngle(strip, h, 0, 49, 98), -135.0, tolerance);
      EXPECT_NEAR(PointerAngle(strip, h, 49, 0, 98), 0.0, tolerance);
      EXPECT_NEAR(PointerAngle(strip, h, 98, 0, 49), 135.0, tolerance);
    }
  }
}

TEST(Artwork, APressedKeyIsTintedBlue) {
  for (int id : {kImageKeyNatural, kImageKeySharp}) {
    const Picture key(id, 1);
    const size_t pressed = key.rgba.size() / 2;  // where frame 2 starts
    double blueOverRed[2] = {};
    for (size_t i = 0; i < key.rgba.size(); i += 4)
      blueOverRed[i >= pressed] += key.rgba[i + 2] - key.rgba[i];
    EXPECT_GT((blueOverRed[1] - blueOverRed[0]) * 4 / pressed, 40.0) << "per pixel, key " << id;
  }
}

TEST(Artwork, TheWheelMarkerRisesFrameByFrameAndFrame11IsCentred) {
  const int centreFrame = FrameForValue(0.5, 20) - 1;
  for (int scale : {1, 2}) {
    const Picture strip(kImageWheel, scale);
    ASSERT_GT(strip.width, 0);
    const int h = strip.height / 20;
    double previous = 1e9;
    for (int frame = 0; frame < 20; ++frame) {
      // The centre of the bright blue marker.
      const auto [x, y] = Centre(strip, h, frame, [](const std::uint8_t* p, int, int) {
        return p[3] == 255 && p[2] >= 200 && p[2] - p[0] >= 60;
      });
      EXPECT_LT(y, previous) << "frame " << frame + 1;
      previous = y;
      if (frame == centreFrame) {
        EXPECT_NEAR(x, 35.0 * scale, 0.5 * scale);
        EXPECT_NEAR(y, 40.0 * scale, 0.5 * scale);
      }
    }
    for (int y = 0; y < strip.height; ++y) {
      for (int x = 0; x < strip.width; ++x) {
        if (x >= kWheelDrawnLeft * scale && x < kWheelDrawnRight * scale) continue;
        ASSERT_EQ(strip.Alpha(x, y), 0) << x << "," << y;
      }
    }
  }
}

// Scale 2 is the same drawing at twice the resolution, not scale 1 enlarged: each 2 x 2 block
// averages to the scale-1 pixel (premultiplied, up to edge rounding), and many blocks are not
// uniform.
TEST(Artwork, TheDoubleScaleIsTheSameDrawingAtTwiceTheResolution) {
  long blocks = 0, mixed = 0;
  for (const Image& image : kImages) {
    const Picture single(image.id, 1), twice(image.id, 2);
    ASSERT_TRUE(single.width > 0 && twice.width == 2 * single.width) << image.stem;
    double error = 0;
    for (int y = 0; y < single.height; ++y) {
      for (int x = 0; x < single.width; ++x) {
        const std::uint8_t* s = single.At(x, y);
        const std::uint8_t* corner = twice.At(2 * x, 2 * y);
        double sum[4] = {};
        bool uniform = true;
        for (int k = 0; k < 4; ++k) {
          const std::uint8_t* p = twice.At(2 * x + k % 2, 2 * y + k / 2);
          for (int c = 0; c < 4; ++c)
            sum[c] += c == 3 ? p[3] : p[c] * p[3] / 255.0;
          uniform = uniform && Difference(p, corner) == 0;
        }
        for (int c = 0; c < 4; ++c)
          error += std::fabs(sum[c] / 4 - (c == 3 ? s[3] : s[c] * s[3] / 255.0));
        mixed += !uniform;
      }
    }
    blocks += single.width * single.height;
    EXPECT_LT(error / (4.0 * single.width * single.height), 4.0) << image.stem;
  }
  EXPECT_GT(mixed, blocks / 10);
}

}  // namespace
