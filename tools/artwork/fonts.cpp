#include "fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

namespace {

const char* const kFaceFiles[2] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"};
const cairo_user_data_key_t kFaceKey = {};

void ReleaseFace(void* face) {
  FT_Done_Face(static_cast<FT_Face>(face));
}

int Index(FontWeight weight) {
  return weight == FontWeight::kBold ? 1 : 0;
}

// Unhinted outlines and metrics: the double-scale text is the single-scale text magnified.
void UseTextOptions(cairo_t* cr, const Fonts& fonts, const TextSpec& spec) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  cairo_set_font_face(cr, fonts.Face(spec.weight));
  cairo_set_font_size(cr, spec.size);
}

}  // namespace

Fonts::~Fonts() {
  for (cairo_font_face_t*& face : cairoFaces) {
    if (face) cairo_font_face_destroy(face);
    face = nullptr;
  }
  // Cairo's font caches hold the faces until they are reset; then FreeType can go.
  cairo_debug_reset_static_data();
  if (library) FT_Done_FreeType(static_cast<FT_Library>(library));
}

bool Fonts::Load(const std::string& folder) {
  FT_Library ft = nullptr;
  if (FT_Init_FreeType(&ft) != 0) {
    std::fprintf(stderr, "error: FreeType could not be initialised\n");
    return false;
  }
  library = ft;
  for (int i = 0; i < 2; ++i) {
    const std::string path = folder + "/" + kFaceFiles[i];
    FT_Face face = nullptr;
    if (FT_New_Face(ft, path.c_str(), 0, &face) != 0) {
      std::fprintf(stderr, "error: cannot load the font file %s\n", path.c_str());
      return false;
    }
    faces[i] = face;
    cairoFaces[i] = cairo_ft_font_face_create_for_ft_face(face, 0);
    if (cairo_font_face_set_user_data(cairoFaces[i], &kFaceKey, face, ReleaseFace) !=
        CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "error: cairo cannot use the font file %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

cairo_font_face_t* Fonts::Face(FontWeight weight) const {
  return cairoFaces[Index(weight)];
}

double TextWidth(cairo_t* cr, const Fonts& fonts, const char* text, const TextSpec& spec) {
  cairo_save(cr);
  UseTextOptions(cr, fonts, spec);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  int letters = 0;
  for (const char* c = text; *c; ++c)
    letters += (*c & 0xC0) != 0x80;
  cairo_restore(cr);
  return extents.x_advance + spec.tracking * (letters > 0 ? letters - 1 : 0);
}

void DrawText(cairo_t* cr, const Fonts& fonts, const char* text, double x, double y,
              const TextSpec& spec) {
  const double width = TextWidth(cr, fonts, text, spec);
  cairo_save(cr);
  UseTextOptions(cr, fonts, spec);
  cairo_text_extents_t capital;
  cairo_text_extents(cr, "H", &capital);
  double left = x;
  if (spec.align == Align::kCentre) left = x - width / 2;
  if (spec.align == Align::kRight) left = x - width;
  const double baseline = y + capital.height / 2;
  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  if (cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr), left, baseline, text, -1, &glyphs,
                                       &count, nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS) {
    for (int i = 0; i < count; ++i)
      glyphs[i].x += spec.tracking * i;
    SetColour(cr, spec.colour, spec.alpha);
    cairo_show_glyphs(cr, glyphs, count);
    cairo_glyph_free(glyphs);
  }
  cairo_restore(cr);
}
