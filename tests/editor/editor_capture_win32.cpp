#include "editor_capture_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "graphics/graphics_types.h"
#include "instrument/effect_panels.h"
#include "raster/blend.h"
#include "raster/png_image.h"

namespace EditorCapture {
namespace {

using namespace EditorLayout;

// Draws image id of module at (x, y) with the blend method the editor gives it.
void Draw(Raster_IBitmap* canvas, HMODULE module, int id, int x, int y, int method) {
  std::unique_ptr<Raster_MemBitmap> image(Raster_LoadPngResource(module, id));
  ASSERT_TRUE(image) << "image " << id;
  const IRectangle source{0, 0, image->Width(), image->Height()};
  const IBlendSpec blend{method, 1.0f};
  Raster_BlitArea(canvas, image.get(), x, y, &source, 1.0f, IBlendSpec::ModeFor(&blend));
}

Pixels Compose(HMODULE module, int scale, int panel) {
  Raster_MemBitmap canvas(Scaled(kEditorWidth, scale), Scaled(kEditorHeight, scale));
  Draw(&canvas, module, kImageBackground, 0, 0, kBlendPlainCopy);
  for (int idx : {1, 2}) {
    const Rect r = Scaled(kControls[idx].rect, scale);
    Draw(&canvas, module, kControls[idx].image, r.left, r.top, kBlendSourceAlpha);
  }
  if (panel >= 0) {
    const EffectPanel& bay = kEffectPanels[panel];
    Draw(&canvas, module, bay.cartridgeImage, Scaled(bay.x, scale), Scaled(bay.y, scale),
         kBlendSourceAlpha);
  }
  return EditorHarness::ReadBitmapPixels(&canvas, canvas.Width(), canvas.Height());
}

// The panel slot choice shows: -1 for "No Effect".
int ShownPanel(int slotFirstPanel, int choice) {
  return choice <= 1 ? -1 : slotFirstPanel + choice - 2;
}

// The strip at the cartridge's left edge, where neither the switch nor a knob lies.
Rect CartridgeEdge(int panel) {
  const EffectPanel& bay = kEffectPanels[panel];
  return Rect{bay.x, bay.y, bay.x + 30, bay.y + 90};
}

}  // namespace

EditorPictures::EditorPictures(HMODULE module, int editorScale)
    : scale(editorScale), bare(Compose(module, editorScale, -1)) {
  for (int panel = 0; panel < kEffectPanelCount; ++panel)
    withCartridge[panel] = Compose(module, scale, panel);
}

int DifferencesIn(const Pixels& a, const Pixels& b, const Rect& rect, int scale) {
  const Rect r = Scaled(rect, scale);
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x)
      count += ((a.At(x, y) ^ b.At(x, y)) & 0xFFFFFF) != 0;
  }
  return count;
}

bool DrawsInState(int idx, int slot1, int slot2) {
  const EditorLayout::Control& control = kControls[idx];
  switch (control.kind) {
    case ControlKind::kFxSlot1Selector:
    case ControlKind::kFxSlot2Selector:
    case ControlKind::kPresetSelector:
    case ControlKind::kFileOpen:
    case ControlKind::kFileSave:
      return false;
    default:
      break;
  }
  if (control.panel < 0) return true;
  return control.panel == ShownPanel(EffectPanels::kSlot1FirstPanel, slot1) ||
         control.panel == ShownPanel(EffectPanels::kSlot2FirstPanel, slot2);
}

bool EditorPictures::ShowsSlots(const Pixels& capture, int slot1, int slot2) const {
  const int shown[2] = {ShownPanel(EffectPanels::kSlot1FirstPanel, slot1),
                        ShownPanel(EffectPanels::kSlot2FirstPanel, slot2)};
  const Rect bays[2] = {kControls[3].rect, kControls[9].rect};
  for (int slot = 0; slot < 2; ++slot) {
    const bool matches =
        shown[slot] < 0 ? DifferencesIn(capture, bare, bays[slot], scale) == 0
                        : DifferencesIn(capture, withCartridge[shown[slot]],
                                        CartridgeEdge(shown[slot]), scale) == 0 &&
                              DifferencesIn(capture, bare, CartridgeEdge(shown[slot]), scale) > 0;
    if (!matches) return false;
  }
  return true;
}

void EditorPictures::ExpectState(const Pixels& capture, int slot1, int slot2) const {
  EXPECT_TRUE(ShowsSlots(capture, slot1, slot2)) << "slots " << slot1 << ", " << slot2;
  for (int idx = 3; idx < kControlCount; ++idx) {
    if (!DrawsInState(idx, slot1, slot2)) continue;
    EXPECT_GT(DifferencesIn(capture, bare, kControls[idx].rect, scale), 0)
        << "control " << idx << " at slots " << slot1 << ", " << slot2;
  }
}

Pixels WaitForWindow(HWND window, const std::function<bool(const Pixels&)>& shows) {
  Pixels capture;
  EditorHarness::PumpUntil([&] {
    capture = EditorHarness::ReadWindowPixels(window);
    return shows(capture);
  });
  return capture;
}

std::string PicturePath(const std::string& name) {
  // A path of the build machine as Windows sees it: an absolute POSIX path lies on drive Z:
  // under Wine.
  std::string path = std::string(TOVALUNE_EDITOR_PICTURES) + "/" + name;
  if (path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace EditorCapture
