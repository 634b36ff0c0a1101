// Real mouse and key input reaching the editor's controls: presses, drags, releases outside,
// double-clicks, the wheel, the middle and right buttons and keys forwarded to the host, checked
// against the parameter values and the edit gestures the host hears of.
#include "editor_fixture.h"

using namespace EditorHarness;
using Edit = HarnessPlugin::Edit;

namespace {

const int kKnobX = TestEditor::CentreX(TestEditor::kKnobRect);
const int kKnobY = TestEditor::CentreY(TestEditor::kKnobRect);

}  // namespace

class EditorInput : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_NE(Open(), nullptr);
  }
  // Drags from the knob's centre by dy pixels in steps, then releases at (releaseX, releaseY)
  // in client coordinates (default: where the drag ended).
  void DragKnob(int dy, const POINT* release = nullptr) {
    MoveMouse(window, kKnobX, kKnobY);
    PressButton(Button::kLeft);
    ASSERT_TRUE(PumpUntil([&] { return gui->CaptureIndex() == TestEditor::kKnobControl; }));
    for (int step = 1; step <= 4; ++step)
      MoveMouse(window, kKnobX, kKnobY + dy * step / 4);
    if (release) MoveMouse(window, release->x, release->y);
    ReleaseButton(Button::kLeft);
    ASSERT_TRUE(PumpUntil([&] { return plug->Count(Edit::kEnd, HarnessPlugin::kKnob) > 0; }));
  }
};

TEST_F(EditorInput, ADragUpTurnsTheKnobInOneGesture) {
  DragKnob(-20);
  // 20 pixels of a 40-pixel knob at gearing 4: an eighth of the range.
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 62.5, 1e-6);
  EXPECT_EQ(plug->Count(Edit::kBegin, HarnessPlugin::kKnob), 1);
  EXPECT_GE(plug->Count(Edit::kPerform, HarnessPlugin::kKnob), 1);
  EXPECT_EQ(plug->Count(Edit::kEnd, HarnessPlugin::kKnob), 1);
  EXPECT_TRUE(plug->GesturesBalanced());
  EXPECT_EQ(gui->CaptureIndex(), -1);
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(ScreenDifferences(), 0);
}

TEST_F(EditorInput, AReleaseOutsideTheWindowStillEndsTheGesture) {
  // Out to the right, level with the drag's end: a vertical knob takes no change from that.
  const POINT outside = {TestEditor::kWidth + 150, kKnobY - 8};
  DragKnob(-8, &outside);
  EXPECT_EQ(plug->Count(Edit::kEnd, HarnessPlugin::kKnob), 1);
  EXPECT_TRUE(plug->GesturesBalanced());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 55.0, 1e-6);
}

TEST_F(EditorInput, ADoubleClickRestoresTheDefaultWithoutABeginEdit) {
  DragKnob(-20);
  // A click elsewhere first, so that the drag's press and the next one make no double-click.
  Click(window, 700, 450);
  SettleInput();
  plug->edits.clear();
  DoubleClick(window, kKnobX, kKnobY);
  ASSERT_TRUE(PumpUntil([&] { return plug->Count(Edit::kPerform, HarnessPlugin::kKnob) > 0; }));
  SettleInput();
  EXPECT_DOUBLE_EQ(plug->Value(HarnessPlugin::kKnob), 50.0);
  // The first click of the two is a press and release; the second restores, beginning nothing.
  EXPECT_EQ(plug->Count(Edit::kBegin, HarnessPlugin::kKnob), 1);
  EXPECT_EQ(plug->Count(Edit::kEnd, HarnessPlugin::kKnob), 1);
  EXPECT_EQ(plug->edits.back().kind, Edit::kPerform);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditorInput, TheWheelMovesAHundredthPerNotchWithoutAGesture) {
  MoveMouse(window, kKnobX, kKnobY);
  TurnWheel(2 * WHEEL_DELTA);
  ASSERT_TRUE(PumpUntil([&] { return plug->Count(Edit::kPerform, HarnessPlugin::kKnob) == 1; }));
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 52.0, 1e-6);
  TurnWheel(-WHEEL_DELTA);
  TurnWheel(WHEEL_DELTA / 2);  // less than a notch: delta 0, the value stays
  ASSERT_TRUE(PumpUntil([&] { return plug->Count(Edit::kPerform, HarnessPlugin::kKnob) >= 2; }));
  SettleInput();
  EXPECT_NEAR(plug->Value(HarnessPlugin::kKnob), 51.0, 1e-6);
  EXPECT_EQ(plug->Count(Edit::kBegin, HarnessPlugin::kKnob), 0);
}

TEST_F(EditorInput, SwitchesStepOnPressesAndContactsSpringBackOnRelease) {
  ClickOn(TestEditor::kSwitchRect);
  ASSERT_TRUE(PumpUntil([&] { return plug->Count(Edit::kEnd, HarnessPlugin::kSwitch) == 1; }));
  EXPECT_DOUBLE_EQ(plug->Value(HarnessPlugin::kSwitch), 1.0);

  MoveMouse(window, TestEditor::CentreX(TestEditor::kContactRect),
            TestEditor::CentreY(TestEditor::kContactRect));
  PressButton(Button::kLeft);
  ASSERT_TRUE(PumpUntil([&] { return plug->Value(HarnessPlugin::kContact) == 1.0; }));
  ReleaseButton(Button::kLeft);
  ASSERT_TRUE(PumpUntil([&] { return plug->Count(Edit::kEnd, HarnessPlugin::kContact) == 1; }));
  EXPECT_DOUBLE_EQ(plug->Value(HarnessPlugin::kContact), 0.0);
  EXPECT_TRUE(plug->GesturesBalanced());
}

TEST_F(EditorInput, TheMiddleButtonDoesNothingAndHoldsNoCapture) {
  MoveMouse(window, TestEditor::CentreX(TestEditor::kContactRect),
            TestEditor::CentreY(TestEditor::kContactRect));
  PressButton(Button::kMiddle);
  SettleInput();
  EXPECT_EQ(gui->CaptureIndex(), -1);
  EXPECT_NE(GetCapture(), window);
  EXPECT_DOUBLE_EQ(plug->Value(HarnessPlugin::kContact), 0.0);
  ReleaseButton(Button::kMiddle);
  SettleInput();
  EXPECT_TRUE(plug->edits.empty());
  // The editor still answers the left button.
  ClickOn(TestEditor::kSwitchRect);
  EXPECT_TRUE(PumpUntil([&] { return plug->Count(Edit::kEnd, HarnessPlugin::kSwitch) == 1; }));
}

TEST_F(EditorInput, ARightPressInVst3AsksTheHostForItsMenuAndHoldsNothing) {
  MoveMouse(window, kKnobX, kKnobY);
  PressButton(Button::kRight);
  ASSERT_TRUE(
      PumpUntil([&] { return plug->Count(Edit::kContextMenu, HarnessPlugin::kKnob) == 1; }));
  SettleInput();
  EXPECT_NE(GetCapture(), window);
  EXPECT_EQ(gui->CaptureIndex(), -1);
  ReleaseButton(Button::kRight);
  SettleInput();
  EXPECT_EQ(plug->Count(Edit::kBegin, HarnessPlugin::kKnob), 0);
  EXPECT_EQ(plug->Count(Edit::kEnd, HarnessPlugin::kKnob), 0);
}

TEST_F(EditorInput, KeysNoControlTakesGoToTheHostsWindowOnce) {
  ASSERT_EQ(GetFocus(), window);
  TapKey(VK_F5);  // a key without a code
  ASSERT_TRUE(PumpUntil([&] { return host.keyUps == 1; }));
  EXPECT_EQ(host.keyDowns, 1);
  MoveMouse(window, 700, 450);
  TapKey('A');  // a key with a code over the background, with no key catcher
  ASSERT_TRUE(PumpUntil([&] { return host.keyUps == 2; }));
  EXPECT_EQ(host.keyDowns, 2);

  // A host that sends keys straight back to the editor gets each of them once.
  host.bounceKeysTo = window;
  TapKey(VK_F6);
  ASSERT_TRUE(PumpUntil([&] { return host.keyUps == 3; }));
  SettleInput();
  EXPECT_EQ(host.keyDowns, 3);
  EXPECT_EQ(host.keyUps, 3);
}
