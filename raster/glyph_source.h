#pragma once

#include <cstdint>

#include "raster/bitmap.h"

// The one place where a font meets the platform's rasteriser. A cached font asks its glyph source
// for the font's line height and, once per character, for the character drawn white on black into
// a scratch bitmap; everything after that (trimming, rotating, thresholds, effects, blending) is
// the font's own portable work. On Windows the system source draws through GDI; a test can hand a
// font a source of its own.

// The cell one character occupies in the scratch bitmap, before any limiting to its size.
struct Raster_GlyphCell {
  int advance;  // horizontal advance of the character
  int width;    // the advance plus the extra columns asked for
  int height;   // the height of the measured character box
};

class Raster_GlyphSource {
 public:
  // Owner's thread.
  virtual ~Raster_GlyphSource() = default;

  // The font's line height (its cell height: ascent plus descent), measured with the canvas's
  // device when the source needs one; 0 when it cannot be measured.
  // Font thread; allocates nothing.
  virtual int LineHeight(RasterFontHandle font, Raster_IBitmap* canvas) = 0;

  // Measures the character, clears a cell of its box height and advance + extraColumns to black
  // (0x00000000) at the top-left of canvas and draws the character in white into it (only the red
  // byte of each pixel is read back, as coverage 0..255). False when nothing could be drawn.
  // Font thread; allocates nothing.
  virtual bool DrawGlyphCell(RasterFontHandle font, uint16_t code, int extraColumns,
                             Raster_IBitmap* canvas, Raster_GlyphCell* cell) = 0;

  // Deletes a font that its cached font owns. Font thread.
  virtual void DeleteFont(RasterFontHandle font) = 0;
};

// The platform's source: GDI on Windows; elsewhere a source that measures and draws nothing.
// Any thread; allocates nothing (the object is static).
Raster_GlyphSource* Raster_SystemGlyphSource();
