// A plug-in on the VST3 binding with a small editor that holds one of every framework control
// (knob, switch, contact, text, open and save file selectors) plus a menu control and a text
// control that opens a text entry of its own. The images are the instrument's artwork, embedded
// in the test program. The plug-in records what the editor tells the host.
#pragma once

#include <vector>

#include "graphics/controls.h"
#include "graphics/graphics_win.h"
#include "vst3/plugin_vst3.h"

class HarnessPlugin : public IPluginVST3 {
 public:
  enum Param : int { kKnob = 0, kSwitch, kContact, kMenu, kOpenFile, kSaveFile };
  static constexpr int kMenuValues = 5;  // "Zero" .. "Four"

  struct Edit {
    enum Kind { kBegin, kPerform, kEnd, kContextMenu } kind;
    int idx;
    double normalized;
  };

  // Knob 0..100 (two decimals), the switch, contact and file parameters 0..1 in steps of 1,
  // the menu parameter 0..4 with a display text per value; the rest 0..1.
  HarnessPlugin();

  void BeginHostEdit(int idx) override { edits.push_back({Edit::kBegin, idx, 0.0}); }
  void PerformHostEdit(int idx, double normalized) override {
    edits.push_back({Edit::kPerform, idx, normalized});
  }
  void EndHostEdit(int idx) override { edits.push_back({Edit::kEnd, idx, 0.0}); }
  void PopupHostContextMenu(int idx, int, int) override {
    edits.push_back({Edit::kContextMenu, idx, 0.0});
  }
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

// Opens a menu of the five values on a left press ("Zero", "One", "Two" and a submenu "More"
// with "Three" and "Four"); the choice becomes the value.
class MenuTestControl : public IControl {
 public:
  MenuTestControl(IPluginCore* plug, const IRectangle* rect, int paramIdx);
  void MouseDown(int x, int y, IMouseKeys* keys) override;
  bool Draw(IGraphics* graphics) override;
  int menusShown = 0;
};

// A text that a left press lets the user retype (a text entry without a parameter).
class EditableTextControl : public ITextControl {
 public:
  EditableTextControl(IPluginCore* plug, const IRectangle* rect, const char* text);
  void MouseDown(int x, int y, IMouseKeys* keys) override;
  void SetTextFromUser(const char* text) override;
  int textsFromUser = 0;
};

namespace TestEditor {

constexpr int kWidth = 1000;
constexpr int kHeight = 530;
// Control indexes (0 is the background).
enum Control : int {
  kKnobControl = 1,
  kSwitchControl,
  kContactControl,
  kLabelControl,
  kOpenControl,
  kSaveControl,
  kMenuControl,
  kEditableControl,
};
constexpr IRectangle kKnobRect = {100, 100, 140, 140};
constexpr IRectangle kSwitchRect = {200, 100, 232, 112};
constexpr IRectangle kContactRect = {260, 100, 290, 180};
constexpr IRectangle kLabelRect = {300, 200, 500, 230};
constexpr IRectangle kOpenRect = {600, 100, 640, 125};
constexpr IRectangle kSaveRect = {650, 100, 690, 125};
constexpr IRectangle kMenuRect = {100, 300, 200, 330};
constexpr IRectangle kEditableRect = {300, 300, 420, 320};

// Builds the editor and attaches it to plug. Its pictures come from the resources of
// moduleInstance (null: this program).
IGraphicsWin* Build(HarnessPlugin* plug, const char* folder = "", void* moduleInstance = nullptr);
// The centre of a rectangle.
inline int CentreX(const IRectangle& r) {
  return (r.left + r.right) / 2;
}
inline int CentreY(const IRectangle& r) {
  return (r.top + r.bottom) / 2;
}

}  // namespace TestEditor
