// Background, header and main panel.
#include "panel_art.h"

#include <cstring>

#include "instrument/editor/editor_layout.h"
#include "palette.h"
#include "panel_parts.h"
#include "shapes.h"

namespace {

using namespace EditorLayout;

constexpr double kPanelRadius = 6.0;

Rect Grown(const Rect& r, int dx, int dy) {
  return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

bool OnMainPanel(const Control& c) {
  if (c.panel >= 0) return false;
  return c.kind == ControlKind::kKnob || c.kind == ControlKind::kSwitch ||
         c.kind == ControlKind::kPitchWheel;
}

void PanelBody(cairo_t* cr) {
  const Rect& r = kMainPanelRect;
  RoundedRect(cr, r, kPanelRadius, 0.0);
  FillVertical(cr, r.top, r.bottom, Palette::kPanelTop, Palette::kPanelBottom);
  RoundedRect(cr, r, kPanelRadius - 0.5, 0.5);
  StrokeRim(cr, r.top, r.bottom, 0.12, 0.05, 0.04);
}

void PlateWithTitle(cairo_t* cr, const Fonts& fonts, const EditorLayout::Plate& plate) {
  ::Plate(cr, plate.rect, 5, Palette::kPlateTop, Palette::kPlateBottom);
  const double centre = plate.rect.left + plate.rect.Width() / 2.0;
  DrawText(cr, fonts, plate.title, centre, plate.rect.top + 8.5, TitleSpec());
  if (plate.dividerY == 0) return;
  TextSpec spec = TitleSpec();
  spec.size = 6.8;
  const double half = TextWidth(cr, fonts, plate.dividerTitle, spec) / 2 + 5;
  const double y = plate.dividerY + 0.5;
  for (int side = 0; side < 2; ++side) {
    const double from = side == 0 ? plate.rect.left + 6 : centre + half;
    const double to = side == 0 ? centre - half : plate.rect.right - 6;
    cairo_move_to(cr, from, y);
    cairo_line_to(cr, to, y);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, Hex(0x000000), 0.35);
    cairo_stroke(cr);
    cairo_move_to(cr, from, y + 1);
    cairo_line_to(cr, to, y + 1);
    SetColour(cr, Hex(0xFFFFFF), 0.07);
    cairo_stroke(cr);
  }
  DrawText(cr, fonts, plate.dividerTitle, centre, plate.dividerY + 1, spec);
}

void EffectRack(cairo_t* cr, const Fonts& fonts) {
  Recess(cr, kEffectRack, 4, Palette::kRecess);
  TextSpec empty = TitleSpec();
  empty.size = 9;
  empty.tracking = 3.5;
  empty.colour = Hex(0x34373C);
  for (int slot = 0; slot < 2; ++slot) {
    const Rect bay = PlaceImage(slot == 0 ? kSlot1X : kSlot2X, kSlotY, kImageCartridgeChorus);
    RoundedRect(cr, bay.left + 1.5, bay.top + 1.5, bay.Width() - 3, bay.Height() - 3, 5);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, Hex(0xFFFFFF), 0.035);
    cairo_stroke(cr);
    DrawText(cr, fonts, "NO EFFECT", bay.left + bay.Width() / 2.0, bay.top + bay.Height() / 2.0,
             empty);
  }
}

void SlotLabelPlates(cairo_t* cr, const Fonts& fonts) {
  TextSpec spec = TitleSpec();
  spec.align = Align::kRight;
  const Rect labels[2] = {kFxSlot1LabelRect, kFxSlot2LabelRect};
  const char* names[2] = {"FX 1", "FX 2"};
  for (int i = 0; i < 2; ++i) {
    const Rect plate = Grown(labels[i], 3, 2);
    Recess(cr, plate, 4, Hex(0x0C0D0F));
    DrawText(cr, fonts, names[i], plate.left - 6, plate.top + plate.Height() / 2.0, spec);
  }
  TextSpec tagline = TitleSpec();
  tagline.size = 8;
  tagline.tracking = 2.6;
  tagline.colour = Palette::kEngraved;
  const double middle =
      (Grown(kFxSlot1LabelRect, 3, 2).right + Grown(kFxSlot2LabelRect, 3, 2).left - 46) / 2.0;
  DrawText(cr, fonts, "FOUR-VOICE OVERTONE SYNTHESIZER", middle, 49, tagline);
}

void KeyBed(cairo_t* cr) {
  const Rect first = KeyRect(kFirstKeyNote);
  const Rect last = KeyRect(kLastKeyNote);
  const Rect bed = {first.left - 2, first.top - 4, last.right + 2, last.bottom + 4};
  Recess(cr, bed, 3, Hex(0x09090A));
  cairo_rectangle(cr, bed.left + 1, bed.top + 1, bed.Width() - 2, first.top - bed.top - 1);
  FillVertical(cr, bed.top + 1, first.top, Darker(Palette::kFelt, 0.3), Palette::kFelt);
}

void MatrixDecoration(cairo_t* cr, const Fonts& fonts) {
  TextSpec head = CaptionSpec();
  // Faint bands behind every other row.
  for (int row = 0; row < kMatrixRowCount; ++row) {
    const MatrixRow& r = kMatrixRows[row];
    const int height = row == kRowMW ? 16 : 20;
    if (row == kRowL2 || row == kRowE2 || row == kRowMW) {
      RoundedRect(cr, 412, r.y - 3, 235, height + 6, 3);
      SetColour(cr, Hex(0x000000), 0.10);
      cairo_fill(cr);
    }
    head.align = Align::kRight;
    DrawText(cr, fonts, r.head, 447, r.y + height / 2.0, head);
  }
  head.align = Align::kCentre;
  for (int col = 0; col < kMatrixColumnCount; ++col) {
    const MatrixColumn& c = kMatrixColumns[col];
    DrawText(cr, fonts, c.code, c.x + 10, 181, head);
    for (int row = 0; row < kMatrixRowCount; ++row) {
      if (MatrixParam(row, col) >= 0) continue;
      Circle(cr, c.x + 10, kMatrixRows[row].y + 10, 1.2);
      SetColour(cr, Hex(0x555A61));
      cairo_fill(cr);
    }
  }
  // The legend: one bracket per group of neighbouring columns.
  TextSpec legend = CaptionSpec();
  legend.colour = Palette::kTitle;
  for (int col = 0; col < kMatrixColumnCount; ++col) {
    const MatrixColumn& c = kMatrixColumns[col];
    int left = c.x;
    int right = c.x + 20;
    bool first = true;
    for (const MatrixColumn& other : kMatrixColumns) {
      if (std::strcmp(other.group, c.group) != 0) continue;
      if (other.x < c.x) first = false;
      if (other.x + 20 > right) right = other.x + 20;
    }
    if (!first) continue;
    const double y = 352.5;
    cairo_move_to(cr, left + 1.5, y - 3);
    cairo_line_to(cr, left + 1.5, y);
    cairo_line_to(cr, right - 1.5, y);
    cairo_line_to(cr, right - 1.5, y - 3);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, Palette::kScaleDot);
    cairo_stroke(cr);
    DrawText(cr, fonts, c.group, (left + right) / 2.0, 361, legend);
  }
}

}  // namespace

void DrawBackground(cairo_t* cr) {
  SetColour(cr, Palette::kBackground);
  cairo_paint(cr);
}

void DrawHeader(cairo_t* cr, const Fonts& fonts) {
  const Image& image = ImageById(kImageHeader);
  cairo_rectangle(cr, 0, 0, image.width, image.height);
  FillVertical(cr, 0, image.height, Palette::kHeaderTop, Palette::kHeaderBottom);
  cairo_rectangle(cr, 0, image.height - 1, image.width, 1);
  SetColour(cr, Hex(0x000000));
  cairo_fill(cr);
  // Logo: four bars for the four voices, then the name.
  const Rgb bars[4] = {Palette::kKnobBlue, Palette::kKnobGreen, Palette::kKnobOrange,
                       Palette::kKnobViolet};
  const double heights[4] = {8, 13, 10, 6};
  for (int i = 0; i < 4; ++i) {
    RoundedRect(cr, 14 + i * 4.5, 19 - heights[i], 3, heights[i], 1);
    SetColour(cr, bars[i]);
    cairo_fill(cr);
  }
  TextSpec name;
  name.size = 12.5;
  name.tracking = 3.2;
  name.colour = Hex(0xE6E9ED);
  name.align = Align::kLeft;
  DrawText(cr, fonts, "TOVALUNE", 38, 13, name);
  TextSpec maker = TitleSpec();
  maker.size = 8.5;
  maker.tracking = 2.4;
  maker.colour = Hex(0x8C929A);
  maker.align = Align::kRight;
  DrawText(cr, fonts, "VORN AUDIO", 986, 13, maker);
  // The preset name area, sunk into the bar.
  const Rect area = kPresetNameRect;
  cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
  SetColour(cr, Palette::kNameArea);
  cairo_fill(cr);
  ShadeDown(cr, area.left, area.top, area.Width(), 5, 0.8);
  cairo_move_to(cr, area.left, area.bottom + 0.5);
  cairo_line_to(cr, area.right, area.bottom + 0.5);
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, Hex(0xFFFFFF), 0.07);
  cairo_stroke(cr);
}

void DrawMainPanel(cairo_t* cr, const Fonts& fonts) {
  cairo_save(cr);
  // Drawn in editor coordinates.
  cairo_translate(cr, -kMainPanelRect.left, -kMainPanelRect.top);
  PanelBody(cr);
  SlotLabelPlates(cr, fonts);
  EffectRack(cr, fonts);
  for (const EditorLayout::Plate& plate : kPlates)
    PlateWithTitle(cr, fonts, plate);
  KeyBed(cr);
  MatrixDecoration(cr, fonts);
  TextSpec rowLabel = CaptionSpec();
  for (const RowLabel& label : kEnvelopeRowLabels) {
    DrawText(cr, fonts, label.text, label.x, label.y, rowLabel);
  }
  for (const Control& control : kControls) {
    if (OnMainPanel(control)) ControlWell(cr, control, Palette::kScaleDot);
  }
  for (const Control& control : kControls) {
    if (OnMainPanel(control)) ControlCaption(cr, fonts, control);
  }
  cairo_restore(cr);
}
