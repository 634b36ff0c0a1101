// Buttons, switches and LEDs.
#include <cmath>
#include <string>

#include "control_art.h"
#include "instrument/editor/editor_images.h"
#include "palette.h"
#include "shapes.h"

namespace {

using namespace EditorLayout;

const char* const kOvertoneSetStates[] = {"1", "2", "3", "4", "5", "6"};
const char* const kVoiceModeStates[] = {"MONO", "UNI", "POLY"};
const char* const kArpModeStates[] = {"OFF", "UP", "UP-DN", "UP x2", "UD x2"};

const char* const* StatesOf(int id) {
  if (id == kImageOvertoneSet) return kOvertoneSetStates;
  if (id == kImageVoiceMode) return kVoiceModeStates;
  return kArpModeStates;
}

void ButtonBody(cairo_t* cr, double x, double y, double w, double h, double radius) {
  RoundedRect(cr, x - 0.5, y - 0.5, w + 1, h + 1.5, radius + 0.5);
  SetColour(cr, Hex(0x000000), 0.6);
  cairo_fill(cr);
  RoundedRect(cr, x, y, w, h, radius);
  FillVertical(cr, y, y + h, Palette::kButtonTop, Palette::kButtonBottom);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius - 0.5);
  StrokeRim(cr, y, y + h, 0.16, 0.4, 0.02);
}

// The largest text size up to `size` at which text fits into width.
TextSpec Fitted(cairo_t* cr, const Fonts& fonts, const char* text, TextSpec spec, double width) {
  while (spec.size > 5.0 && TextWidth(cr, fonts, text, spec) > width)
    spec.size -= 0.25;
  return spec;
}

}  // namespace

void DrawEffectSwitch(cairo_t* cr) {
  const Image& image = ImageById(kImageEffectSwitch);
  for (int frame = 0; frame < image.frames; ++frame) {
    FrameScope scope(cr, frame, image.width, image.FrameHeight());
    const bool on = frame == 1;
    RoundedRect(cr, 1, 1.5, 30, 9, 4.5);
    SetColour(cr, Hex(0x000000), 0.7);
    cairo_fill(cr);
    RoundedRect(cr, 1.5, 2, 29, 8, 4);
    if (on) {
      FillVertical(cr, 2, 10, Darker(Palette::kLit, 0.25), Palette::kLit);
    } else {
      FillVertical(cr, 2, 10, Hex(0x0E0F11), Hex(0x222428));
    }
    const double thumbX = on ? 25.0 : 7.0;
    SoftShadow(cr, thumbX, 6.6, 3.5, 5.6, 0.6);
    Circle(cr, thumbX, 6, 4.4);
    FillVertical(cr, 1.6, 10.4, Hex(0xF0F2F4), Hex(0x9CA2A9));
    Circle(cr, thumbX, 6, 4.1);
    cairo_set_line_width(cr, 0.6);
    SetColour(cr, Hex(0x000000), 0.35);
    cairo_stroke(cr);
  }
}

void DrawRedLed(cairo_t* cr) {
  const Image& image = ImageById(kImageRedLed);
  for (int frame = 0; frame < image.frames; ++frame) {
    FrameScope scope(cr, frame, image.width, image.FrameHeight());
    const bool lit = frame == 1;
    SoftShadow(cr, 8, 8.6, 6.0, 7.9, 0.6);
    Circle(cr, 8, 8, 6.9);
    FillVertical(cr, 1, 15, Hex(0x5A5E64), Hex(0x1A1B1E));
    Circle(cr, 8, 8, 5.1);
    if (lit) {
      FillRadial(cr, 7.4, 7.0, 0.5, 6.0, Hex(0xFFD2CC), 1.0, Darker(Palette::kLedRed, 0.15), 1.0);
      Circle(cr, 8, 8, 7.9);
      FillRadial(cr, 8, 8, 4.8, 7.9, Palette::kLedRed, 0.55, Palette::kLedRed, 0.0);
    } else {
      FillRadial(cr, 7.4, 7.0, 0.5, 6.0, Hex(0x6A211C), 1.0, Hex(0x250806), 1.0);
    }
    Circle(cr, 6.6, 5.9, 1.5);
    FillRadial(cr, 6.6, 5.9, 0, 1.5, Hex(0xFFFFFF), lit ? 0.8 : 0.35, Hex(0xFFFFFF), 0.0);
  }
}

void DrawStateButton(cairo_t* cr, const Fonts& fonts, int id) {
  const Image& image = ImageById(id);
  const char* const* states = StatesOf(id);
  for (int frame = 0; frame < image.frames; ++frame) {
    FrameScope scope(cr, frame, image.width, image.FrameHeight());
    ButtonBody(cr, 1.5, 1.5, 37, 36, 4);
    RoundedRect(cr, 5, 5, 30, 21, 2);
    SetColour(cr, Palette::kDisplay);
    cairo_fill(cr);
    RoundedRect(cr, 5.5, 5.5, 29, 20, 1.5);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, Hex(0x000000), 0.8);
    cairo_stroke(cr);
    TextSpec spec;
    spec.size = id == kImageOvertoneSet ? 13.0 : 8.5;
    spec.colour = Palette::kLit;
    spec.tracking = id == kImageOvertoneSet ? 0.0 : 0.3;
    spec = Fitted(cr, fonts, states[frame], spec, 26.0);
    TextSpec glow = spec;
    glow.alpha = 0.18;
    for (double dx : {-0.6, 0.6})
      DrawText(cr, fonts, states[frame], 20 + dx, 15.5, glow);
    DrawText(cr, fonts, states[frame], 20, 15.5, spec);
    // One dot per state; the current one lit.
    const double spacing = std::fmin(5.0, 26.0 / (image.frames - 1));
    for (int s = 0; s < image.frames; ++s) {
      const double x = 20 + (s - (image.frames - 1) / 2.0) * spacing;
      Circle(cr, x, 31.8, s == frame ? 1.35 : 1.1);
      SetColour(cr, s == frame ? Palette::kLit : Hex(0x50555C));
      cairo_fill(cr);
    }
  }
}

void DrawPresetButton(cairo_t* cr, const Fonts& fonts, int id) {
  const Image& image = ImageById(id);
  const double w = image.width;
  const double h = image.height;
  // The outer buttons of the preset bar round their outer lower corner.
  const double r = 4.0;
  const bool roundLeft = id == kImagePresetLoad;
  const bool roundRight = id == kImagePresetSave;
  auto shape = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, w, 0);
    if (roundRight) {
      cairo_arc(cr, w - r, h - r, r, 0, M_PI / 2);
    } else {
      cairo_line_to(cr, w, h);
    }
    if (roundLeft) {
      cairo_arc(cr, r, h - r, r, M_PI / 2, M_PI);
    } else {
      cairo_line_to(cr, 0, h);
    }
    cairo_close_path(cr);
  };
  shape();
  FillVertical(cr, 0, h, Palette::kButtonTop, Palette::kButtonBottom);
  // A one-pixel dark rim inside the shape, a faint light line inside the rim.
  cairo_save(cr);
  shape();
  cairo_clip(cr);
  shape();
  cairo_set_line_width(cr, 2.0);
  SetColour(cr, Hex(0x000000), 0.8);
  cairo_stroke(cr);
  cairo_move_to(cr, 1.5, 1);
  cairo_line_to(cr, w - 1.5, 1);
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, Hex(0xFFFFFF), 0.10);
  cairo_stroke(cr);
  cairo_restore(cr);
  if (id == kImagePresetLoad || id == kImagePresetSave) {
    TextSpec spec;
    spec.size = 7.5;
    spec.tracking = 1.0;
    spec.colour = Palette::kButtonText;
    DrawText(cr, fonts, id == kImagePresetLoad ? "LOAD" : "SAVE", w / 2 + 0.5, h / 2, spec);
    return;
  }
  const double direction = id == kImagePresetBackward ? -1.0 : 1.0;
  cairo_move_to(cr, w / 2 + 3 * direction, h / 2);
  cairo_line_to(cr, w / 2 - 2.5 * direction, h / 2 - 4);
  cairo_line_to(cr, w / 2 - 2.5 * direction, h / 2 + 4);
  cairo_close_path(cr);
  SetColour(cr, Palette::kButtonText);
  cairo_fill(cr);
}
