#include "image_set.h"

#include "control_art.h"
#include "instrument/editor/editor_layout.h"
#include "knob_art.h"
#include "panel_art.h"

namespace {

using namespace EditorLayout;

int PanelOfCartridge(int id) {
  for (int panel = 0; panel < kEffectPanelCount; ++panel) {
    if (kEffectPanels[panel].cartridgeImage == id) return panel;
  }
  return -1;
}

void Draw(cairo_t* cr, int id, const Fonts& fonts) {
  switch (id) {
    case kImageBackground:
      return DrawBackground(cr);
    case kImageHeader:
      return DrawHeader(cr, fonts);
    case kImagePresetBackward:
    case kImagePresetForward:
    case kImagePresetLoad:
    case kImagePresetSave:
      return DrawPresetButton(cr, fonts, id);
    case kImageEffectSwitch:
      return DrawEffectSwitch(cr);
    case kImageRedLed:
      return DrawRedLed(cr);
    case kImageOvertoneSet:
    case kImageVoiceMode:
    case kImageArpMode:
      return DrawStateButton(cr, fonts, id);
    case kImageKeyNatural:
    case kImageKeySharp:
      return DrawKey(cr, id);
    case kImageMainPanel:
      return DrawMainPanel(cr, fonts);
    case kImageWheel:
      return DrawWheel(cr);
    default:
      break;
  }
  const int panel = PanelOfCartridge(id);
  if (panel >= 0) return DrawCartridge(cr, fonts, panel);
  DrawKnobStrip(cr, id);
}

}  // namespace

std::unique_ptr<Canvas> DrawImage(int id, int scale, const Fonts& fonts) {
  if (!IsImageId(id)) return nullptr;
  const Image& image = ImageById(id);
  auto canvas = std::make_unique<Canvas>(image.width, image.height, scale);
  Draw(canvas->Context(), id, fonts);
  return canvas;
}
