// The two DejaVu Sans faces the pictures use, loaded by file through FreeType (no font lookup),
// and the one text routine: small capitals with letter spacing, centred on a line.
#pragma once

#include <cairo.h>

#include <string>

#include "colour.h"

enum class FontWeight { kRegular, kBold };
enum class Align { kLeft, kCentre, kRight };

struct TextSpec {
  double size = 7.0;      // em size in single-scale pixels
  double tracking = 0.0;  // extra space after every letter
  Rgb colour = Hex(0xFFFFFF);
  double alpha = 1.0;
  FontWeight weight = FontWeight::kBold;
  Align align = Align::kCentre;
};

class Fonts {
 public:
  Fonts() = default;
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // Loads DejaVuSans.ttf and DejaVuSans-Bold.ttf from folder; false (with a message on
  // standard error) when either is missing or unreadable.
  bool Load(const std::string& folder);
  cairo_font_face_t* Face(FontWeight weight) const;

 private:
  void* library = nullptr;  // FT_Library
  void* faces[2] = {};      // FT_Face
  cairo_font_face_t* cairoFaces[2] = {};
};

// Width of text as DrawText would set it.
double TextWidth(cairo_t* cr, const Fonts& fonts, const char* text, const TextSpec& spec);
// Draws text with its capital height centred on y; x is the left end, centre or right end.
void DrawText(cairo_t* cr, const Fonts& fonts, const char* text, double x, double y,
              const TextSpec& spec);
