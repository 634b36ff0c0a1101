// Path and fill helpers shared by every picture.
#pragma once

#include <cairo.h>

#include "colour.h"
#include "instrument/editor/editor_images.h"

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void RoundedRect(cairo_t* cr, const EditorLayout::Rect& r, double radius, double inset = 0.0);
void Circle(cairo_t* cr, double cx, double cy, double radius);

// Fills the current path with a vertical gradient from y0 (top colour) to y1 and clears it.
void FillVertical(cairo_t* cr, double y0, double y1, const Rgb& top, const Rgb& bottom,
                  double alpha = 1.0);
// Fills the current path with a radial gradient around (cx, cy) and clears it.
void FillRadial(cairo_t* cr, double cx, double cy, double r0, double r1, const Rgb& inner,
                double innerAlpha, const Rgb& outer, double outerAlpha);
// A soft round shadow: black fading from alpha at r0 to nothing at r1.
void SoftShadow(cairo_t* cr, double cx, double cy, double r0, double r1, double alpha);

// Strokes the current path one pixel wide in white that fades from topAlpha at y0 through
// midAlpha at the fraction mid of the way to nothing at y1, and clears the path.
void StrokeRim(cairo_t* cr, double y0, double y1, double topAlpha, double mid, double midAlpha);
// Fills a rectangle with black fading from alpha at its top to nothing at its bottom.
void ShadeDown(cairo_t* cr, double x, double y, double w, double h, double alpha);

// A recessed rounded rectangle: dark fill with a shadow along its top edge and a faint light
// line along its bottom edge.
void Recess(cairo_t* cr, const EditorLayout::Rect& r, double radius, const Rgb& fill);
// A raised rounded plate with a light top edge and a dark outline.
void Plate(cairo_t* cr, const EditorLayout::Rect& r, double radius, const Rgb& top,
           const Rgb& bottom);

// Keeps drawing inside one frame of a vertical strip: translates to its top and clips to it.
class FrameScope {
 public:
  FrameScope(cairo_t* cr, int frame, int width, int frameHeight);
  ~FrameScope();
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;

 private:
  cairo_t* cr;
};
