// A plug-in on the VST3 binding with a small editor: a knob, a switch, a menu control and a
// contact, drawn with the instrument's pictures. The plug-in records what the editor tells the
// host.
#pragma once

#include <vector>

#include "graphics/controls.h"
#include "graphics/graphics_win.h"
#include "vst3/plugin_vst3.h"

class HarnessPlugin : public IPluginVST3 {
 public:
  enum Param : int { kKnob = 0, kSwitch, kMenu, kContact };
  struct Edit {
    enum Kind { kBegin, kPerform, kEnd } kind;
    int idx;
    double normalized;
  };

  // Knob 0..100 (two decimals), switch and contact 0..1 in steps of 1, menu 0..4.
  HarnessPlugin();

  void BeginHostEdit(int idx) override { edits.push_back({Edit::kBegin, idx, 0.0}); }
  void PerformHostEdit(int idx, double normalized) override {
    edits.push_back({Edit::kPerform, idx, normalized});
  }
  void EndHostEdit(int idx) override { edits.push_back({Edit::kEnd, idx, 0.0}); }
  int GetApiId() override { return api; }
  void GuiOpened() override { ++guiOpened; }
  void GuiClosing() override { ++guiClosing; }

  // Edits of one kind for a parameter.
  int Count(Edit::Kind kind, int idx) const;
  // Every begin has its end, in order, none nested.
  bool GesturesBalanced() const;
  double Value(int idx) const { return GetParam(idx)->Value(); }

  int api = kApiVST3;
  int guiOpened = 0;
  int guiClosing = 0;
  std::vector<Edit> edits;
};

// A left press opens a menu "Zero", "One", "Two" and a submenu "More" ("Three", "Four"); the
// choice becomes the value.
class MenuTestControl : public IControl {
 public:
  MenuTestControl(IPluginCore* plug, const IRectangle* rect, int paramIdx);
  void MouseDown(int x, int y, IMouseKeys* keys) override;
  bool Draw(IGraphics* graphics) override;
  int menusShown = 0;
};

namespace TestEditor {

constexpr int kWidth = 1000;
constexpr int kHeight = 530;
// Control indexes (0 is the background).
enum Control : int { kKnobControl = 1, kSwitchControl, kMenuControl, kContactControl };
constexpr IRectangle kKnobRect = {100, 100, 140, 140};
constexpr IRectangle kSwitchRect = {200, 100, 232, 112};
constexpr IRectangle kMenuRect = {100, 300, 200, 330};
constexpr IRectangle kContactRect = {300, 100, 332, 112};

// Builds the editor, its pictures from the resources of moduleInstance, and attaches it to plug.
IGraphicsWin* Build(HarnessPlugin* plug, void* moduleInstance);
constexpr int CentreX(const IRectangle& r) {
  return (r.left + r.right) / 2;
}
constexpr int CentreY(const IRectangle& r) {
  return (r.top + r.bottom) / 2;
}

}  // namespace TestEditor
