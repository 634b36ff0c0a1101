// What the panel pictures draw under and beside the controls: wells, scale dots and captions,
// placed from the shared layout.
#pragma once

#include <cairo.h>

#include "colour.h"
#include "fonts.h"
#include "instrument/editor/editor_layout.h"

// The well (and, for the large knobs, the scale dots) under one control.
void ControlWell(cairo_t* cr, const EditorLayout::Control& control, const Rgb& dotColour);
// The caption of one control, under it (beside it for the effect switches).
void ControlCaption(cairo_t* cr, const Fonts& fonts, const EditorLayout::Control& control);

// The text styles of the panels.
TextSpec CaptionSpec();
TextSpec TitleSpec();
