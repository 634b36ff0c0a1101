// The large pictures: background, header, main panel and the eight effect cartridges.
#pragma once

#include <cairo.h>

#include "fonts.h"

// 101: plain dark, fully opaque.
void DrawBackground(cairo_t* cr);
// 102: product name, the preset bar's name area and the maker.
void DrawHeader(cairo_t* cr, const Fonts& fonts);
// 133: plates, wells and captions under the main panel's controls.
void DrawMainPanel(cairo_t* cr, const Fonts& fonts);
// 125 to 132: the cartridge of one effect panel (numbered as EffectPanels::Panel).
void DrawCartridge(cairo_t* cr, const Fonts& fonts, int panel);
