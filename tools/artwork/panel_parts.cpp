#include "panel_parts.h"

#include <cmath>

#include "palette.h"
#include "shapes.h"

namespace {

using namespace EditorLayout;

constexpr double kScaleDotRadius = 23.6;  // from the centre of a 40-pixel knob
constexpr int kScaleDots = 11;

void KnobWell(cairo_t* cr, double cx, double cy, double radius) {
  Circle(cr, cx, cy, radius + 0.8);
  SetColour(cr, Hex(0xFFFFFF), 0.05);
  cairo_fill(cr);
  Circle(cr, cx, cy - 0.3, radius);
  FillRadial(cr, cx, cy - 1, radius * 0.5, radius, Palette::kWell, 1.0, Hex(0x0E0F10), 1.0);
}

void ScaleDots(cairo_t* cr, double cx, double cy, const Rgb& colour) {
  for (int i = 0; i < kScaleDots; ++i) {
    const double degrees = -135.0 + 270.0 * i / (kScaleDots - 1);
    const double a = degrees * M_PI / 180.0;
    const bool end = i == 0 || i == kScaleDots - 1 || i == kScaleDots / 2;
    Circle(cr, cx + kScaleDotRadius * std::sin(a), cy - kScaleDotRadius * std::cos(a),
           end ? 1.05 : 0.8);
    SetColour(cr, colour);
    cairo_fill(cr);
  }
}

}  // namespace

TextSpec CaptionSpec() {
  TextSpec spec;
  spec.size = 6.6;
  spec.tracking = 0.75;
  spec.colour = Palette::kCaption;
  return spec;
}

TextSpec TitleSpec() {
  TextSpec spec;
  spec.size = 7.4;
  spec.tracking = 1.7;
  spec.colour = Palette::kTitle;
  return spec;
}

void ControlWell(cairo_t* cr, const Control& control, const Rgb& dotColour) {
  const Rect& r = control.rect;
  const double cx = r.left + r.Width() / 2.0;
  const double cy = r.top + r.Height() / 2.0;
  switch (control.image) {
    case kImageWheel: {
      const Rect slot = {r.left + kWheelDrawnLeft - 2, r.top - 2, r.left + kWheelDrawnRight + 2,
                         r.bottom + 2};
      Recess(cr, slot, 6, Hex(0x0C0D0E));
      return;
    }
    case kImageOvertoneSet:
    case kImageVoiceMode:
    case kImageArpMode:
      Recess(cr, {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, 6, Palette::kWell);
      return;
    case kImageRedLed:
      KnobWell(cr, cx, cy, 8.6);
      return;
    case kImageEffectSwitch:
      Recess(cr, {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, 7, Hex(0x0E0F10));
      return;
    default:
      break;
  }
  if (r.Width() >= 40) {
    KnobWell(cr, cx, cy, 20.6);
    ScaleDots(cr, cx, cy, dotColour);
  } else {
    KnobWell(cr, cx, cy, 10.4);
  }
}

void ControlCaption(cairo_t* cr, const Fonts& fonts, const Control& control) {
  if (!control.caption) return;
  const Rect& r = control.rect;
  TextSpec spec = CaptionSpec();
  if (control.image == kImageEffectSwitch) {
    spec.align = Align::kLeft;
    DrawText(cr, fonts, control.caption, r.right + 5, r.top + r.Height() / 2.0, spec);
    return;
  }
  const double gap = r.Width() >= 40 && control.image != kImageWheel ? 7.0 : 6.0;
  DrawText(cr, fonts, control.caption, r.left + r.Width() / 2.0, r.bottom + gap, spec);
}
