// Knob strips: a round shaded body in the stem's colour on a transparent square, its pointer
// turning linearly from -135 degrees (first frame) to +135 degrees (last frame).
#pragma once

#include <cairo.h>

#include "instrument/editor/editor_images.h"

constexpr double kKnobFirstAngle = -135.0;  // degrees clockwise from straight up
constexpr double kKnobSweep = 270.0;

// The pointer angle of frame (0-based) of a strip with frames frames.
constexpr double KnobAngle(int frame, int frames) {
  return kKnobFirstAngle + kKnobSweep * frame / (frames - 1);
}

// Draws every frame of knob image id (a knob picture of the image table).
void DrawKnobStrip(cairo_t* cr, int id);
// Draws one frame of knob image id at the origin (used for previews).
void DrawKnobFrame(cairo_t* cr, int id, int frame);
