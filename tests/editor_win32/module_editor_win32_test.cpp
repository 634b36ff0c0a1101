// The real VST3 module's editor in a host's window: a key held down lets go, its note and the
// host's edit ending, when the window loses the mouse and when it closes.
#include <gtest/gtest.h>

#include <string>

#include "editor_harness.h"
#include "instrument/editor/editor_layout.h"

using namespace EditorHarness;

TEST(ModuleEditor, AKeyHeldWhenTheWindowLosesTheMouseOrClosesLetsGo) {
  const EditorLayout::Control& key = EditorLayout::kControls[13];  // note 36
  for (bool close : {false, true}) {
    SCOPED_TRACE(close ? "closed" : "mouse taken");
    HostWindow host(1000, 530);
    ModuleEditor editor(TOVALUNE_VST3_BUNDLE_BINARY);
    ASSERT_TRUE(editor.Loaded());
    ASSERT_EQ(editor.Attach(host.Handle()), Steinberg::kResultOk);
    const std::vector<RecordedEdit>& edits = editor.session->handler.edits;
    MoveMouse(host.EditorChild(), (key.rect.left + key.rect.right) / 2,
              (key.rect.top + key.rect.bottom) / 2);
    PressButton(Button::kLeft);
    ASSERT_TRUE(PumpUntil([&] { return edits.size() == 2; }));
    if (close) editor.Remove();
    if (!close) SetCapture(host.Handle());
    ReleaseButton(Button::kLeft);
    SettleInput();
    ReleaseCapture();
    std::string seen;  // begin, perform and its value, end
    for (const RecordedEdit& edit : edits) {
      seen += edit.id == static_cast<Steinberg::Vst::ParamID>(key.param) ? "BPE"[edit.kind] : '?';
      if (edit.kind == RecordedEdit::kPerform) seen += std::to_string(edit.value);
    }
    EXPECT_EQ(seen, "BP1.000000P0.000000E");
  }
}
