#include "shapes.h"

#include <cmath>

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const double r = std::fmin(radius, std::fmin(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void RoundedRect(cairo_t* cr, const EditorLayout::Rect& r, double radius, double inset) {
  RoundedRect(cr, r.left + inset, r.top + inset, r.Width() - 2 * inset, r.Height() - 2 * inset,
              radius);
}

void Circle(cairo_t* cr, double cx, double cy, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom,
                  double alpha) {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
  AddStop(pattern, 0, top, alpha);
  AddStop(pattern, 1, bottom, alpha);
  cairo_set_source(cr, pattern);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r0, double r1, const Rgb& inner,
                double innerAlpha, const Rgb& outer, double outerAlpha) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
  AddStop(pattern, 0, inner, innerAlpha);
  AddStop(pattern, 1, outer, outerAlpha);
  cairo_set_source(cr, pattern);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

void SoftShadow(cairo_t* cr, double cx, double cy, double r0, double r1, double alpha) {
  Circle(cr, cx, cy, r1);
  FillRadial(cr, cx, cy, r0, r1, Rgb{0, 0, 0}, alpha, Rgb{0, 0, 0}, 0.0);
}

void StrokeRim(cairo_t* cr, double y0, double y1, double topAlpha, double mid, double midAlpha) {
  cairo_set_line_width(cr, 1.0);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(rim, 0, 1, 1, 1, topAlpha);
  cairo_pattern_add_color_stop_rgba(rim, mid, 1, 1, 1, midAlpha);
  cairo_pattern_add_color_stop_rgba(rim, 1, 1, 1, 1, 0.0);
  cairo_set_source(cr, rim);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
}

void ShadeDown(cairo_t* cr, double x, double y, double w, double h, double alpha) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, alpha);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.0);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

void Recess(cairo_t* cr, const EditorLayout::Rect& r, double radius, const Rgb& fill) {
  RoundedRect(cr, r, radius, 0.0);
  SetColour(cr, fill);
  cairo_fill(cr);
  // Inner shadow along the top edge.
  cairo_save(cr);
  RoundedRect(cr, r, radius, 0.0);
  cairo_clip(cr);
  ShadeDown(cr, r.left, r.top, r.Width(), 5, 0.55);
  cairo_restore(cr);
  // Catch-light on the lower lip.
  cairo_move_to(cr, r.left + radius, r.bottom + 0.5);
  cairo_line_to(cr, r.right - radius, r.bottom + 0.5);
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, Rgb{1, 1, 1}, 0.06);
  cairo_stroke(cr);
}

void Plate(cairo_t* cr, const EditorLayout::Rect& r, double radius, const Rgb& top,
           const Rgb& bottom) {
  RoundedRect(cr, r.left - 0.5, r.top - 0.5, r.Width() + 1, r.Height() + 1.5, radius + 0.5);
  SetColour(cr, Rgb{0, 0, 0}, 0.45);
  cairo_fill(cr);
  RoundedRect(cr, r, radius, 0.0);
  FillVertical(cr, r.top, r.bottom, top, bottom);
  RoundedRect(cr, r, radius - 0.5, 0.5);
  StrokeRim(cr, r.top, r.bottom, 0.13, 0.2, 0.03);
}

FrameScope::FrameScope(cairo_t* cr, int frame, int width, int frameHeight) : cr(cr) {
  cairo_save(cr);
  cairo_translate(cr, 0, static_cast<double>(frame) * frameHeight);
  cairo_rectangle(cr, 0, 0, width, frameHeight);
  cairo_clip(cr);
}

FrameScope::~FrameScope() {
  cairo_restore(cr);
}
