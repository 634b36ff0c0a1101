// The small pictures of buttons, switches, keys and the wheel.
#pragma once

#include <cairo.h>

#include "fonts.h"

// 107: two-state on/off toggle (off, on).
void DrawEffectSwitch(cairo_t* cr);
// 108: red LED cap (dark, lit).
void DrawRedLed(cairo_t* cr);
// 109, 110, 111: multi-state buttons whose display names the state.
void DrawStateButton(cairo_t* cr, const Fonts& fonts, int id);
// 103 to 106: the preset bar's step arrows and LOAD and SAVE buttons.
void DrawPresetButton(cairo_t* cr, const Fonts& fonts, int id);
// 112, 113: natural and sharp keys (up, pressed).
void DrawKey(cairo_t* cr, int id);
// 134: the wheel, its marker rising from the first frame to the last.
void DrawWheel(cairo_t* cr);
// The height of the wheel's marker in frame (0-based), in frame pixels from the frame top.
double WheelMarkerY(int frame);
