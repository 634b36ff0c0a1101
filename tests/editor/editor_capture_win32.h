// The instrument's editor as a host window shows it: the bare panel it is drawn on, which
// controls show in a state of the two effect slots, and the checks that every shown control
// changed the panel's pixels while every hidden panel left them alone. Windows builds only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "editor_harness.h"
#include "instrument/editor/editor_layout.h"

namespace EditorCapture {

using EditorHarness::Pixels;

// Pixels of rect (editor pixels at single scale, taken at scale) whose RGB differ.
int DifferencesIn(const Pixels& a, const Pixels& b, const EditorLayout::Rect& rect, int scale);

// Whether control idx draws something of its own when effect slot 1 shows choice slot1 (1..7)
// and slot 2 choice slot2 (1..3): every picture, knob, switch, key, wheel, text and panel that
// is not part of a hidden effect panel (the menus and file selectors draw nothing).
bool DrawsInState(int idx, int slot1, int slot2);

// The pictures the editor of a module is drawn from, composed as the editor draws them.
class EditorPictures {
 public:
  EditorPictures(HMODULE module, int scale);

  // What the window shows where no control but the background, the header and the main panel
  // lies.
  const Pixels& Bare() const { return bare; }
  // Whether each slot's bay shows the bare panel when the slot has no effect, else the edge of
  // the chosen effect's cartridge.
  bool ShowsSlots(const Pixels& capture, int slot1, int slot2) const;
  // Checks ShowsSlots and, control by control, that capture differs from the bare panel
  // wherever a control draws.
  void ExpectState(const Pixels& capture, int slot1, int slot2) const;

 private:
  int scale;
  Pixels bare;
  Pixels withCartridge[EditorLayout::kEffectPanelCount];
};

// Reads the window until it shows what shows() accepts (or a generous timeout passes); the last
// capture.
Pixels WaitForWindow(HWND window, const std::function<bool(const Pixels&)>& shows);

// A path in the build tree's picture folder for a file named name.
std::string PicturePath(const std::string& name);

}  // namespace EditorCapture
