// Draws any of the 35 editor images at a scale.
#pragma once

#include <memory>

#include "canvas.h"
#include "fonts.h"

// A new canvas of the image's table size times scale with the image drawn on it; null for an
// id outside the table.
std::unique_ptr<Canvas> DrawImage(int id, int scale, const Fonts& fonts);
