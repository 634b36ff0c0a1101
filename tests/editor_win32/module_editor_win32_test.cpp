// The real VST3 module's editor in a host's window: a key held down lets go, its note and the
// host's edit ending, however the press ends.
#include <gtest/gtest.h>

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
    if (close) {
      editor.Remove();
    } else {
      SetCapture(host.Handle());
    }
    ReleaseButton(Button::kLeft);
    SettleInput();
    ReleaseCapture();
    const RecordedEdit::Kind kinds[] = {RecordedEdit::kBegin, RecordedEdit::kPerform,
                                        RecordedEdit::kPerform, RecordedEdit::kEnd};
    const double values[] = {0.0, 1.0, 0.0, 0.0};
    ASSERT_EQ(edits.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(edits[i].kind == kinds[i] && edits[i].value == values[i] &&
                  edits[i].id == static_cast<Steinberg::Vst::ParamID>(key.param))
          << i;
    }
  }
}
