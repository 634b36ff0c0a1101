// A Tovalune instance on the test binding with its whole editor drawn into memory, and helpers
// that click, drag and choose from menus the way the window does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/engine_params.h"
#include "graphics/controls.h"
#include "instrument/editor/editor_layout.h"
#include "instrument/editor/instrument_editor.h"
#include "instrument/tovalune.h"
#include "native_editor_graphics.h"

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The window's frame tick: pending values, texts and visibility reach the controls; the
  // dirty area, zeroed when nothing is dirty.
  IRectangle Tick();
  // Draws the whole editor and leaves every control clean.
  void DrawAll();

  IControl* Control(int idx) const { return gui->GetControl(idx); }
  // Press and release at the centre of control idx.
  void Click(int idx);
  // The next menu answers with item k of menu (0 dismisses when menu is null).
  void AnswerMenu(const IPopupMenu* menu, int k);

  double Record(int idx) const { return synth->GetParam(idx)->Value(); }
  // Record := value, then ParamChanged, as host automation does.
  void Set(int idx, double value);
  const char* LabelText(EditorLabel label) const;
  int HostEditCount() const { return static_cast<int>(synth->hostEdits.size()); }

  std::unique_ptr<Tovalune> synth;
  NativeEditorGraphics* gui = nullptr;  // owned by synth
  const InstrumentEditor* view = nullptr;
};

// The centre of a rectangle.
inline int CentreX(const IRectangle& r) {
  return (r.left + r.right) / 2;
}
inline int CentreY(const IRectangle& r) {
  return (r.top + r.bottom) / 2;
}
