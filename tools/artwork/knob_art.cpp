#include "knob_art.h"

#include <cmath>

#include "palette.h"
#include "shapes.h"

namespace {

using namespace EditorLayout;

struct KnobLook {
  Rgb body;
  Rgb pointer;
  bool bipolar;  // the small matrix knobs mark their centre
};

KnobLook LookFor(int id) {
  const Rgb white = Hex(0xFFFFFF);
  const Rgb dark = Hex(0x1B1D21);
  switch (id) {
    case kImageKnobBlue:
      return {Palette::kKnobBlue, white, false};
    case kImageKnobGreen:
      return {Palette::kKnobGreen, white, false};
    case kImageKnobGrey:
      return {Palette::kKnobGrey, white, false};
    case kImageKnobOrange:
      return {Palette::kKnobOrange, white, false};
    case kImageKnobPurple:
      return {Palette::kKnobPurple, white, false};
    case kImageKnobRed:
      return {Palette::kKnobRed, white, false};
    case kImageKnobViolet:
      return {Palette::kKnobViolet, white, false};
    case kImageKnobWhite:
      return {Palette::kKnobWhite, dark, false};
    case kImageSmallKnobGrey:
      return {Palette::kKnobGrey, white, true};
    case kImageSmallKnobKarmaRed:
      return {Palette::kKnobKarmaRed, white, true};
    case kImageSmallKnobViolet:
      return {Palette::kKnobViolet, white, true};
    default:
      return {Palette::kKnobLightGrey, dark, true};
  }
}

// A point at radius r and angle degrees (clockwise from up) around (cx, cy).
void PolarPoint(double cx, double cy, double r, double degrees, double* x, double* y) {
  const double a = degrees * M_PI / 180.0;
  *x = cx + r * std::sin(a);
  *y = cy - r * std::cos(a);
}

void RadialLine(cairo_t* cr, double c, double r0, double r1, double degrees) {
  double x0, y0, x1, y1;
  PolarPoint(c, c, r0, degrees, &x0, &y0);
  PolarPoint(c, c, r1, degrees, &x1, &y1);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
}

// Everything but the pointer: the same pixels in every frame.
// Proportions are set for the 40-pixel knob; the bipolar knobs leave room for their tick.
double Unit(double size, const KnobLook& look) {
  return size / 40.0 * (look.bipolar ? 0.86 : 1.0);
}

void DrawBody(cairo_t* cr, double size, const KnobLook& look) {
  const double c = size / 2;
  const double u = Unit(size, look);
  SoftShadow(cr, c, c + 1.0 * u, 14.5 * u, 19.6 * u, 0.6);
  // Skirt: lit from the upper left.
  Circle(cr, c, c, 17.4 * u);
  cairo_pattern_t* skirt =
      cairo_pattern_create_linear(c - 12 * u, c - 14 * u, c + 12 * u, c + 14 * u);
  AddStop(skirt, 0, Lighter(look.body, 0.32));
  AddStop(skirt, 0.5, look.body);
  AddStop(skirt, 1, Darker(look.body, 0.45));
  cairo_set_source(cr, skirt);
  cairo_fill(cr);
  cairo_pattern_destroy(skirt);
  Circle(cr, c, c, 17.1 * u);
  cairo_set_line_width(cr, 0.6 * u);
  SetColour(cr, Darker(look.body, 0.6), 0.7);
  cairo_stroke(cr);
  // The step down to the cap catches the light the other way round.
  Circle(cr, c, c, 13.4 * u);
  cairo_pattern_t* step = cairo_pattern_create_linear(c - 9 * u, c - 10 * u, c + 9 * u, c + 10 * u);
  AddStop(step, 0, Darker(look.body, 0.35));
  AddStop(step, 1, Lighter(look.body, 0.35));
  cairo_set_source(cr, step);
  cairo_fill(cr);
  cairo_pattern_destroy(step);
  // Cap: slightly domed.
  Circle(cr, c, c, 12.4 * u);
  cairo_pattern_t* cap = cairo_pattern_create_radial(c - 4 * u, c - 5 * u, 1 * u, c, c, 14 * u);
  AddStop(cap, 0, Lighter(look.body, 0.28));
  AddStop(cap, 0.7, look.body);
  AddStop(cap, 1, Darker(look.body, 0.18));
  cairo_set_source(cr, cap);
  cairo_fill(cr);
  cairo_pattern_destroy(cap);
  if (look.bipolar) {
    const double outer = size / 40.0;
    RadialLine(cr, c, 16.9 * outer, 20.0 * outer, 0.0);
    cairo_set_line_width(cr, 2.4 * outer);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColour(cr, Hex(0xD5DAE0));
    cairo_stroke(cr);
  }
}

void DrawPointer(cairo_t* cr, double size, const KnobLook& look, double degrees) {
  const double c = size / 2;
  const double u = Unit(size, look);
  const double width = look.bipolar ? 3.0 : 2.4;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  RadialLine(cr, c, 4.5 * u, 15.6 * u, degrees);
  cairo_set_line_width(cr, (width + 1.0) * u);
  SetColour(cr, Hex(0x000000), 0.3);
  cairo_stroke(cr);
  RadialLine(cr, c, 4.5 * u, 15.6 * u, degrees);
  cairo_set_line_width(cr, width * u);
  SetColour(cr, look.pointer);
  cairo_stroke(cr);
}

}  // namespace

void DrawKnobFrame(cairo_t* cr, int id, int frame) {
  const Image& image = ImageById(id);
  const KnobLook look = LookFor(id);
  DrawBody(cr, image.width, look);
  DrawPointer(cr, image.width, look, KnobAngle(frame, image.frames));
}

void DrawKnobStrip(cairo_t* cr, int id) {
  const Image& image = ImageById(id);
  for (int frame = 0; frame < image.frames; ++frame) {
    FrameScope scope(cr, frame, image.width, image.FrameHeight());
    DrawKnobFrame(cr, id, frame);
  }
}
