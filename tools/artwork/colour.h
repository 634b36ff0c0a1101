// Colours as the pictures use them: straight RGB in 0..1 with mixing helpers.
#pragma once

#include <cairo.h>

#include <cstdint>

struct Rgb {
  double r;
  double g;
  double b;
};

constexpr Rgb Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
// a at t = 0, b at t = 1.
constexpr Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
constexpr Rgb Lighter(const Rgb& c, double t) {
  return Mix(c, Rgb{1, 1, 1}, t);
}
constexpr Rgb Darker(const Rgb& c, double t) {
  return Mix(c, Rgb{0, 0, 0}, t);
}

inline void SetColour(cairo_t* cr, const Rgb& c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}
inline void AddStop(cairo_pattern_t* pattern, double offset, const Rgb& c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}
