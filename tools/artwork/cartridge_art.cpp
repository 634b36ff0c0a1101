// The effect cartridges: a dark card with a handle, name and knob wells in the effect's accent.
#include "instrument/editor/editor_layout.h"
#include "palette.h"
#include "panel_art.h"
#include "panel_parts.h"
#include "shapes.h"

namespace {

using namespace EditorLayout;

struct CartridgeLook {
  Rgb accent;
  const char* subtitle;
};

CartridgeLook LookFor(int panel) {
  switch (panel) {
    case EffectPanels::kChorus:
      return {Palette::kKnobGreen, "STEREO ENSEMBLE"};
    case EffectPanels::kFlanger:
      return {Palette::kKnobViolet, "STEREO SWEEP"};
    case EffectPanels::kTube:
      return {Palette::kKnobRed, "VALVE DRIVE"};
    case EffectPanels::kSolid:
      return {Palette::kKnobOrange, "TRANSISTOR DRIVE"};
    case EffectPanels::kFoldback:
      return {Palette::kKnobPurple, "WAVE FOLDER"};
    case EffectPanels::kBitcrusher:
      return {Palette::kKnobGreen, "BIT REDUCTION"};
    case EffectPanels::kDelay:
      return {Palette::kKnobGrey, "TEMPO SYNC ECHO"};
    default:
      return {Palette::kKnobBlue, "STEREO SPACE"};
  }
}

void Screw(cairo_t* cr, double x, double y) {
  SoftShadow(cr, x, y + 0.6, 2.0, 3.8, 0.6);
  Circle(cr, x, y, 2.8);
  FillVertical(cr, y - 3, y + 3, Hex(0x8A9098), Hex(0x3C4045));
  cairo_move_to(cr, x - 1.9, y + 1.0);
  cairo_line_to(cr, x + 1.9, y - 1.0);
  cairo_set_line_width(cr, 0.9);
  SetColour(cr, Hex(0x1A1B1E));
  cairo_stroke(cr);
}

void Card(cairo_t* cr, const Rect& r, const Rgb& accent) {
  RoundedRect(cr, r, 5, 0.0);
  SetColour(cr, Hex(0x000000), 0.85);
  cairo_fill(cr);
  RoundedRect(cr, r, 4.5, 0.75);
  FillVertical(cr, r.top, r.bottom, Hex(0x2D3035), Hex(0x202226));
  RoundedRect(cr, r, 4, 1.25);
  StrokeRim(cr, r.top, r.bottom, 0.14, 0.25, 0.03);
  // The handle: the effect's colour, with grip ridges.
  RoundedRect(cr, r.left + 5, r.top + 5, 20, r.Height() - 10, 3);
  FillVertical(cr, r.top + 5, r.bottom - 5, Lighter(accent, 0.1), Darker(accent, 0.35));
  const double middle = r.top + r.Height() / 2.0;
  for (int i = -3; i <= 3; ++i) {
    const double y = middle + i * 4.0;
    cairo_rectangle(cr, r.left + 9, y - 0.5, 12, 1);
    SetColour(cr, Hex(0x000000), 0.3);
    cairo_fill(cr);
    cairo_rectangle(cr, r.left + 9, y + 0.5, 12, 0.8);
    SetColour(cr, Hex(0xFFFFFF), 0.22);
    cairo_fill(cr);
  }
  Screw(cr, r.right - 11, r.top + 11);
  Screw(cr, r.right - 11, r.bottom - 11);
}

}  // namespace

void DrawCartridge(cairo_t* cr, const Fonts& fonts, int panel) {
  const EffectPanel& effect = kEffectPanels[panel];
  const CartridgeLook look = LookFor(panel);
  const Rect card = PlaceImage(effect.x, effect.y, effect.cartridgeImage);
  cairo_save(cr);
  // Drawn in editor coordinates.
  cairo_translate(cr, -card.left, -card.top);
  Card(cr, card, look.accent);
  const Rgb dots = Mix(Palette::kScaleDot, look.accent, 0.55);
  for (const Control& control : kControls) {
    if (control.panel == panel && control.kind != ControlKind::kBitmap) {
      ControlWell(cr, control, dots);
      ControlCaption(cr, fonts, control);
    }
  }
  TextSpec title = TitleSpec();
  title.colour = Lighter(look.accent, 0.2);
  title.align = Align::kLeft;
  TextSpec subtitle = CaptionSpec();
  subtitle.colour = Hex(0x8C929A);
  subtitle.tracking = 1.3;
  if (effect.knobCount >= 4) {
    // Name in the top band, beside the switch.
    title.size = 10;
    title.tracking = 2.6;
    DrawText(cr, fonts, effect.title, card.left + 92, card.top + 15, title);
    subtitle.align = Align::kRight;
    DrawText(cr, fonts, look.subtitle, card.right - 24, card.top + 15, subtitle);
  } else {
    // Name large on the left half, which holds no knobs.
    title.size = 17;
    title.tracking = 2.8;
    DrawText(cr, fonts, effect.title, card.left + 38, card.top + 46, title);
    subtitle.align = Align::kLeft;
    DrawText(cr, fonts, look.subtitle, card.left + 39, card.top + 64, subtitle);
  }
  cairo_restore(cr);
}
