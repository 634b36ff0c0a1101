// The on-screen keys and the wheel.
#include <cmath>

#include "control_art.h"
#include "instrument/editor/editor_layout.h"
#include "palette.h"
#include "shapes.h"

namespace {

using namespace EditorLayout;

constexpr int kWheelCentreFrame = 10;  // 0-based: the frame that value 0.5 shows
constexpr double kWheelStepDegrees = 6.0;
constexpr double kRidgeSpacingDegrees = 12.0;
constexpr double kDrumTop = 4.0;
constexpr double kDrumBottom = 76.0;
constexpr double kDrumCentre = (kDrumTop + kDrumBottom) / 2;
constexpr double kDrumRadius = (kDrumBottom - kDrumTop) / 2;
static_assert(FrameForValue(0.5, 20) == kWheelCentreFrame + 1, "value 0.5 shows the centre");

// Shadow of the felt strip the keys come out from under.
void FeltShadow(cairo_t* cr, double width, double depth) {
  ShadeDown(cr, 0, 0, width, depth, 0.45);
}

void DrawNaturalKey(cairo_t* cr, bool pressed) {
  const Rgb top = pressed ? Hex(0xD9E9FF) : Hex(0xFBF8F1);
  const Rgb bottom = pressed ? Palette::kPressedBlue : Hex(0xE6DFD0);
  const double lip = pressed ? 2.0 : 4.5;
  RoundedRect(cr, 1, -4, 28, 83.5, 2.5);
  FillVertical(cr, 0, 80, top, bottom);
  // The front of the key, lit from above.
  cairo_save(cr);
  RoundedRect(cr, 1, -4, 28, 83.5, 2.5);
  cairo_clip(cr);
  cairo_rectangle(cr, 0, 79.5 - lip, 30, lip + 1);
  FillVertical(cr, 79.5 - lip, 80, Darker(bottom, 0.04), Darker(bottom, 0.22));
  cairo_move_to(cr, 1.5, 0);
  cairo_line_to(cr, 1.5, 80);
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, Hex(0xFFFFFF), 0.6);
  cairo_stroke(cr);
  cairo_move_to(cr, 28.5, 0);
  cairo_line_to(cr, 28.5, 80);
  SetColour(cr, Hex(0x000000), 0.14);
  cairo_stroke(cr);
  cairo_restore(cr);
  FeltShadow(cr, 30, pressed ? 9 : 6);
}

void DrawSharpKey(cairo_t* cr, bool pressed) {
  const Rgb body = pressed ? Hex(0x10243F) : Hex(0x0D0E10);
  const Rgb faceTop = pressed ? Hex(0x4A82CC) : Hex(0x4B4F56);
  const Rgb faceBottom = pressed ? Hex(0x1E4274) : Hex(0x202226);
  const double face = pressed ? 75.0 : 70.0;  // where the top face meets the front
  RoundedRect(cr, 1.5, -4, 27, 83.5, 3);
  FillVertical(cr, 0, 80, body, Darker(body, 0.3));
  // Bevelled sides narrow the top face.
  RoundedRect(cr, 4.5, -4, 21, face + 4, 2.5);
  FillVertical(cr, 0, face, faceTop, faceBottom);
  RoundedRect(cr, 5, -4, 20, face + 3.5, 2);
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, Hex(0xFFFFFF), 0.10);
  cairo_stroke(cr);
  // Gloss along the left of the top face.
  cairo_rectangle(cr, 6.5, 0, 2.5, face - 4);
  FillVertical(cr, 0, face, Hex(0xFFFFFF), Hex(0xFFFFFF), 0.10);
  FeltShadow(cr, 30, pressed ? 9 : 6);
}

}  // namespace

void DrawKey(cairo_t* cr, int id) {
  const Image& image = ImageById(id);
  for (int frame = 0; frame < image.frames; ++frame) {
    FrameScope scope(cr, frame, image.width, image.FrameHeight());
    if (id == kImageKeySharp) {
      DrawSharpKey(cr, frame == 1);
    } else {
      DrawNaturalKey(cr, frame == 1);
    }
  }
}

double WheelMarkerY(int frame) {
  const double degrees = (frame - kWheelCentreFrame) * kWheelStepDegrees;
  return kDrumCentre - kDrumRadius * std::sin(degrees * M_PI / 180.0);
}

void DrawWheel(cairo_t* cr) {
  const Image& image = ImageById(kImageWheel);
  const double left = kWheelDrawnLeft;
  const double width = kWheelDrawnRight - kWheelDrawnLeft;
  for (int frame = 0; frame < image.frames; ++frame) {
    FrameScope scope(cr, frame, image.width, image.FrameHeight());
    // The slot.
    RoundedRect(cr, left, 0.5, width, 79, 4.5);
    FillVertical(cr, 0, 80, Hex(0x050506), Hex(0x111214));
    RoundedRect(cr, left + 0.5, 1, width - 1, 78, 4);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, Hex(0xFFFFFF), 0.08);
    cairo_stroke(cr);
    // The drum: a cylinder seen from the front, brightest where it faces the viewer.
    const double drumLeft = left + 3;
    const double drumWidth = width - 6;
    cairo_save(cr);
    RoundedRect(cr, drumLeft, kDrumTop, drumWidth, kDrumBottom - kDrumTop, 3);
    cairo_clip(cr);
    cairo_pattern_t* cylinder = cairo_pattern_create_linear(0, kDrumTop, 0, kDrumBottom);
    AddStop(cylinder, 0.0, Hex(0x141517));
    AddStop(cylinder, 0.5, Hex(0x4A4E55));
    AddStop(cylinder, 1.0, Hex(0x141517));
    cairo_rectangle(cr, drumLeft, kDrumTop, drumWidth, kDrumBottom - kDrumTop);
    cairo_set_source(cr, cylinder);
    cairo_fill(cr);
    cairo_pattern_destroy(cylinder);
    const double turn = (frame - kWheelCentreFrame) * kWheelStepDegrees;
    for (int k = -16; k <= 16; ++k) {
      if (k == 0) continue;
      const double degrees = turn + k * kRidgeSpacingDegrees;
      if (std::fabs(degrees) >= 84.0) continue;
      const double facing = std::cos(degrees * M_PI / 180.0);
      const double y = kDrumCentre - kDrumRadius * std::sin(degrees * M_PI / 180.0);
      cairo_rectangle(cr, drumLeft, y - 0.6 * facing, drumWidth, 1.2 * facing);
      SetColour(cr, Hex(0x000000), 0.6 * facing);
      cairo_fill(cr);
      cairo_rectangle(cr, drumLeft, y + 0.6 * facing, drumWidth, 0.8 * facing);
      SetColour(cr, Hex(0xFFFFFF), 0.16 * facing);
      cairo_fill(cr);
    }
    // The marker, with a glow around it.
    const double facing = std::cos(turn * M_PI / 180.0);
    const double markerY = WheelMarkerY(frame);
    cairo_rectangle(cr, drumLeft, markerY - 3.5 * facing, drumWidth, 7 * facing);
    cairo_pattern_t* glow =
        cairo_pattern_create_linear(0, markerY - 3.5 * facing, 0, markerY + 3.5 * facing);
    AddStop(glow, 0, Palette::kLit, 0.0);
    AddStop(glow, 0.5, Palette::kLit, 0.45);
    AddStop(glow, 1, Palette::kLit, 0.0);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_rectangle(cr, drumLeft, markerY - 1.6 * facing, drumWidth, 3.2 * facing);
    SetColour(cr, Lighter(Palette::kLit, 0.35));
    cairo_fill(cr);
    // Side shading rounds the drum's edges.
    cairo_pattern_t* sides = cairo_pattern_create_linear(drumLeft, 0, drumLeft + drumWidth, 0);
    cairo_pattern_add_color_stop_rgba(sides, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(sides, 0.18, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(sides, 0.82, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(sides, 1, 0, 0, 0, 0.45);
    cairo_rectangle(cr, drumLeft, kDrumTop, drumWidth, kDrumBottom - kDrumTop);
    cairo_set_source(cr, sides);
    cairo_fill(cr);
    cairo_pattern_destroy(sides);
    cairo_restore(cr);
  }
}
