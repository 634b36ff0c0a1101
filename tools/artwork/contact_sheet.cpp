// The contact sheet: the editor as the layout assembles it, then every picture on its own.
#include <algorithm>
#include <cstdio>
#include <string>

#include "instrument/editor/editor_layout.h"
#include "output_files.h"
#include "palette.h"

namespace {

using namespace EditorLayout;

constexpr int kMargin = 20;
constexpr int kSheetWidth = kEditorWidth + 2 * kMargin;
constexpr int kPreviewTop = 34;
constexpr int kTileGap = 16;
constexpr int kLabelHeight = 14;
constexpr int kSampledFrames = 11;  // knob strips show every tenth position

struct Tile {
  int id;
  double zoom;  // the background is shown at a quarter of its size
  std::vector<int> frames;
  int columns;
  int Width() const;
  int Height() const;
};

int Tile::Width() const {
  const Image& image = ImageById(id);
  return static_cast<int>(image.width * zoom) * columns + 4 * (columns - 1);
}

int Tile::Height() const {
  const Image& image = ImageById(id);
  const int rows = (static_cast<int>(frames.size()) + columns - 1) / columns;
  return static_cast<int>(image.FrameHeight() * zoom) * rows + 4 * (rows - 1) + kLabelHeight;
}

Tile TileFor(int id) {
  const Image& image = ImageById(id);
  Tile tile{id, id == kImageBackground ? 0.25 : 1.0, {}, 1};
  if (image.frames > 20) {
    for (int i = 0; i < kSampledFrames; ++i) {
      tile.frames.push_back(i * (image.frames - 1) / (kSampledFrames - 1));
    }
  } else {
    for (int i = 0; i < image.frames; ++i)
      tile.frames.push_back(i);
  }
  const int fit = std::max(1, (kSheetWidth - 2 * kMargin + 4) / (image.width + 4));
  tile.columns = std::min(static_cast<int>(tile.frames.size()), std::min(fit, 11));
  return tile;
}

// Draws frame (0-based) of an image canvas at (x, y) in sheet units, zoomed.
void PutFrame(cairo_t* cr, const Canvas& image, int id, int frame, double x, double y,
              double zoom = 1.0) {
  const Image& info = ImageById(id);
  const int scale = image.Scale();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, zoom / scale, zoom / scale);
  cairo_set_source_surface(cr, image.Surface(), 0, -frame * info.FrameHeight() * scale);
  cairo_pattern_set_filter(cairo_get_source(cr),
                           zoom == 1.0 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_rectangle(cr, 0, 0, info.width * scale, info.FrameHeight() * scale);
  cairo_fill(cr);
  cairo_restore(cr);
}

// A plausible value for every bound control, so the preview shows varied positions.
double PreviewValue(const Control& control) {
  if (control.param == EngineParam::PitchBend) return 0.5;
  if (control.image == kImageSmallKnobGrey || control.image == kImageSmallKnobKarmaRed ||
      control.image == kImageSmallKnobViolet || control.image == kImageSmallKnobLightGrey) {
    return control.param % 4 == 0 ? 0.8 : 0.5;
  }
  if (control.kind == ControlKind::kContact) {
    const int note = control.param - EngineParam::Key036A + kFirstKeyNote;
    return note == 48 || note == 52 || note == 55 ? 1.0 : 0.0;
  }
  if (control.kind == ControlKind::kSwitch) return control.param % 3 == 0 ? 1.0 : 0.0;
  return (control.param * 37 % 100) / 99.0;
}

void PreviewText(cairo_t* cr, const Fonts& fonts, const Control& control) {
  const TextStyle& style =
      control.style == TextStyleId::kPresetName ? kPresetNameStyle : kSlotLabelStyle;
  const char* text = control.text;
  if (control.member == Member::kFxSlot1Label) text = "FX Slot 1 : Chorus";
  if (control.member == Member::kFxSlot2Label) text = "FX Slot 2 : Delay";
  TextSpec spec;
  spec.size = style.size * 0.82;  // the editor's sizes are cell heights, not em sizes
  spec.colour =
      Rgb{style.colour.red / 255.0, style.colour.green / 255.0, style.colour.blue / 255.0};
  spec.alpha = style.colour.alpha / 255.0;
  const Rect& r = control.rect;
  DrawText(cr, fonts, text, r.left + r.Width() / 2.0, r.top + r.Height() / 2.0, spec);
}

void DrawPreview(cairo_t* cr, const std::vector<std::unique_ptr<Canvas>>& images,
                 const Fonts& fonts) {
  cairo_save(cr);
  cairo_translate(cr, kMargin, kPreviewTop);
  cairo_rectangle(cr, 0, 0, kEditorWidth, kEditorHeight);
  cairo_clip(cr);
  for (const Control& control : kControls) {
    if (control.panel >= 0 && control.panel != EffectPanels::kChorus &&
        control.panel != EffectPanels::kDelay) {
      continue;
    }
    const Rect& r = control.rect;
    if (control.kind == ControlKind::kText) {
      PreviewText(cr, fonts, control);
    } else if (control.kind == ControlKind::kPanel) {
      cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
      cairo_set_source_rgba(cr, 0, 0, 0, (control.colour >> 24) / 255.0);
      cairo_fill(cr);
    } else if (control.image != 0) {
      const int frames = ImageById(control.image).frames;
      const int frame = FrameForValue(PreviewValue(control), frames) - 1;
      PutFrame(cr, *images[control.image - kFirstImageId], control.image, frame, r.left, r.top);
    }
  }
  cairo_restore(cr);
}

}  // namespace

bool WriteContactSheet(const std::string& path, const std::vector<std::unique_ptr<Canvas>>& images,
                       int scale, const Fonts& fonts) {
  // Flow the tiles into rows below the preview.
  std::vector<Tile> tiles;
  for (int id = kFirstImageId; id < kFirstImageId + kImageCount; ++id)
    tiles.push_back(TileFor(id));
  std::vector<std::pair<int, int>> places;
  int x = kMargin;
  int y = kPreviewTop + kEditorHeight + 30;
  int rowHeight = 0;
  for (const Tile& tile : tiles) {
    if (x > kMargin && x + tile.Width() > kSheetWidth - kMargin) {
      x = kMargin;
      y += rowHeight + kTileGap;
      rowHeight = 0;
    }
    places.emplace_back(x, y);
    x += tile.Width() + kTileGap;
    rowHeight = std::max(rowHeight, tile.Height());
  }
  const int height = y + rowHeight + kMargin;

  Canvas sheet(kSheetWidth, height, scale);
  cairo_t* cr = sheet.Context();
  SetColour(cr, Hex(0x0B0B0C));
  cairo_paint(cr);
  TextSpec heading;
  heading.size = 9;
  heading.tracking = 1.5;
  heading.colour = Palette::kTitle;
  heading.align = Align::kLeft;
  const std::string title = "TOVALUNE EDITOR ARTWORK  -  SCALE " + std::to_string(scale);
  DrawText(cr, fonts, title.c_str(), kMargin, 17, heading);
  DrawPreview(cr, images, fonts);

  TextSpec label;
  label.size = 6.5;
  label.weight = FontWeight::kRegular;
  label.colour = Hex(0x9AA0A8);
  label.align = Align::kLeft;
  for (size_t t = 0; t < tiles.size(); ++t) {
    const Tile& tile = tiles[t];
    const Image& image = ImageById(tile.id);
    const Canvas& canvas = *images[tile.id - kFirstImageId];
    const int cellW = static_cast<int>(image.width * tile.zoom) + 4;
    const int cellH = static_cast<int>(image.FrameHeight() * tile.zoom) + 4;
    for (size_t f = 0; f < tile.frames.size(); ++f) {
      const int column = static_cast<int>(f) % tile.columns;
      const int row = static_cast<int>(f) / tile.columns;
      PutFrame(cr, canvas, tile.id, tile.frames[f], places[t].first + column * cellW,
               places[t].second + row * cellH, tile.zoom);
    }
    const std::string caption = std::to_string(tile.id) + "  " + image.stem;
    DrawText(cr, fonts, caption.c_str(), places[t].first,
             places[t].second + tile.Height() - kLabelHeight / 2.0 + 1, label);
  }
  return sheet.WritePng(path);
}
