// Real mouse and key input reaching the editor's controls, checked against the parameter values
// and the edit gestures the host hears of: drags released inside and outside, a double-click, the
// wheel and keys forwarded to the host.
#include "editor_fixture.h"

namespace {

constexpr int kKnobX = TestEditor::CentreX(TestEditor::kKnobRect);
constexpr int kKnobY = TestEditor::CentreY(TestEditor::kKnobRect);

}  // namespace

class EditorInput : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_NE(Open(), nullptr);
  }
  // A click on the background and a clean record: the next press makes no double-click.
  void ClickAway() {
    Click(window, 700, 450);
    SettleInput();
    plug->edits.clear();
  }
  // Drags the knob from its centre by dy pixels in steps, then releases at releaseX (client
  // coordinates), level with the drag's end.
  void DragKnob(int dy, int releaseX = kKnobX) {
    ClickAway();
    PressOn(TestEditor::kKnobRect);
    ASSERT_TRUE(PumpUntil([&] { return gui->CaptureIndex() == TestEditor::kKnobControl; }));
    for (int step = 1; step <= 4; ++step)
      MoveMouse(window, kKnobX, kKnobY + dy * step / 4);
    MoveMouse(window, releaseX, kKnobY + dy);
    ReleaseButton(Button::kLeft);
    ASSERT_TRUE(PumpUntil([&] { return Count(Edit::kEnd) > 0; }));
    EXPECT_EQ(Count(Edit::kBegin), 1);
    EXPECT_EQ(Count(Edit::kEnd), 1);
    EXPECT_TRUE(plug->GesturesBalanced());
    EXPECT_EQ(gui->CaptureIndex(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
  }
};

TEST_F(EditorInput, DragsTurnTheKnobInOneGestureAndADoubleClickRestoresItsDefault) {
  DragKnob(-20);
  // 20 pixels of a 40-pixel knob at gearing 4: an eighth of the range.
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 62.5, 1e-6);
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(ScreenDifferences(), 0);
  DragKnob(8, TestEditor::kWidth + 150);  // released out to the right: a vertical knob ignores x
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 57.5, 1e-6);

  ClickAway();
  DoubleClick(window, kKnobX, kKnobY);
  ASSERT_TRUE(PumpUntil([&] { return Count(Edit::kPerform) > 0; }));
  SettleInput();
  EXPECT_DOUBLE_EQ(plug->Value(HarnessPlugin::kKnob), 50.0);
  // The first click is a press and release; the second restores, beginning nothing.
  EXPECT_EQ(Count(Edit::kBegin), 1);
  EXPECT_EQ(Count(Edit::kEnd), 1);
  EXPECT_EQ(plug->edits.back().kind, Edit::kPerform);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditorInput, TheWheelMovesAHundredthPerNotchWithoutAGesture) {
  MoveMouse(window, kKnobX, kKnobY);
  TurnWheel(2 * WHEEL_DELTA);
  ASSERT_TRUE(PumpUntil([&] { return Count(Edit::kPerform) == 1; }));
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 52.0, 1e-6);
  TurnWheel(-WHEEL_DELTA);
  TurnWheel(WHEEL_DELTA / 2);  // less than a notch: the value stays
  ASSERT_TRUE(PumpUntil([&] { return Count(Edit::kPerform) >= 2; }));
  SettleInput();
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 51.0, 1e-6);
  EXPECT_EQ(Count(Edit::kBegin), 0);
}

// A middle press must neither turn the knob nor hold the mouse: nothing would release it.
TEST_F(EditorInput, TheMiddleButtonDoesNothing) {
  PressOn(TestEditor::kKnobRect, Button::kMiddle);
  SettleInput();
  EXPECT_EQ(gui->CaptureIndex(), -1);
  EXPECT_NE(GetCapture(), window);
  ReleaseButton(Button::kMiddle);
  SettleInput();
  EXPECT_TRUE(plug->edits.empty());
}

TEST_F(EditorInput, KeysNoControlTakesGoToTheHostsWindowOnce) {
  ASSERT_EQ(GetFocus(), window);
  TapKey(VK_F5);  // a key without a code
  ASSERT_TRUE(PumpUntil([&] { return host.keyUps == 1; }));
  MoveMouse(window, 700, 450);
  TapKey('A');  // a key with a code over the background, where no control takes keys
  ASSERT_TRUE(PumpUntil([&] { return host.keyUps == 2; }));
  // A host that sends keys straight back to the editor gets each of them once.
  host.bounceKeysTo = window;
  TapKey(VK_F6);
  ASSERT_TRUE(PumpUntil([&] { return host.keyUps == 3; }));
  SettleInput();
  EXPECT_EQ(host.keyDowns, 3);
  EXPECT_EQ(host.keyUps, 3);
}
