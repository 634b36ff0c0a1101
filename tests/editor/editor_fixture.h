// A Tovalune instance on the test binding with its whole editor drawn into memory, and helpers
// that click and choose from menus the way the window does.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine/engine_params.h"
#include "graphics/controls.h"
#include "instrument/editor/editor_layout.h"
#include "instrument/editor/instrument_editor.h"
#include "instrument/tovalune.h"
#include "native_editor_graphics.h"

inline int CentreX(const IRectangle& r) {
  return (r.left + r.right) / 2;
}
inline int CentreY(const IRectangle& r) {
  return (r.top + r.bottom) / 2;
}
inline bool SameRect(const IRectangle& a, const IRectangle& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseNativeEditors(TOVALUNE_EDITOR_IMAGES);
    synth = std::make_unique<Tovalune>();
    gui = LastNativeEditor();
    view = synth->EditorView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(static_cast<IGraphics*>(gui), view->Graphics());
  }

  // The window's frame tick: pending values, texts and visibility reach the controls; the
  // dirty area, zeroed when nothing is dirty.
  IRectangle Tick() {
    IRectangle dirty{0, 0, 0, 0};
    gui->Tick(&dirty);
    return dirty;
  }
  // Draws the whole editor and leaves every control clean.
  void DrawAll() {
    const IRectangle all{0, 0, gui->Width(), gui->Height()};
    for (int i = 0; i < 3; ++i) {
      Tick();
      gui->Draw(&all);
    }
  }
  IControl* Control(int idx) const { return gui->GetControl(idx); }
  // Press at the centre of control idx, optionally drag by dy, and let go.
  void Click(int idx, int dy = 0, IMouseKeys keys = {true, false, false, false, false}) {
    const IRectangle& r = Control(idx)->GetRect();
    gui->OnMouseDown(CentreX(r), CentreY(r), &keys);
    if (dy) gui->OnMouseDrag(CentreX(r), CentreY(r) + dy, &keys);
    gui->OnMouseUp(CentreX(r), CentreY(r) + dy, &keys);
  }
  // Clicks control idx while the menu shown answers item k of menu (null dismisses).
  void Choose(int idx, const IPopupMenu* menu, int k) {
    gui->menuAnswer = [menu, k](IPopupMenu*) { return menu ? menu->NativeCommandOf(k) : 0; };
    Click(idx);
  }
  double Record(int idx) const { return synth->GetParam(idx)->Value(); }
  // Record := value, then ParamChanged, as host automation does.
  void Set(int idx, double value) {
    synth->GetParam(idx)->SetClamped(value);
    synth->ParamChanged(idx);
  }
  const char* LabelText(EditorLabel label) const { return view->LabelControl(label)->GetText(); }

  std::unique_ptr<Tovalune> synth;
  NativeEditorGraphics* gui = nullptr;  // owned by synth
  const InstrumentEditor* view = nullptr;
};
