#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor_test_support.h"

namespace {

using Event = RecordingPlugin::Event;

// A control that opens a menu on every press, as the instrument's selectors do.
class MenuControl : public IControl {
 public:
  MenuControl(IPluginCore* plug, IRectangle rect) : IControl(plug, &rect) {}
  void MouseDown(int, int, IMouseKeys*) override {
    IPopupMenu menu;
    menu.AppendText("one");
    GetPlug()->GetGui()->ShowPopupMenu(&menu, &rect);
  }
  bool Draw(IGraphics*) override { return true; }
};

// A control that records what reaches it.
class LogControl : public IControl {
 public:
  LogControl(IPluginCore* plug, IRectangle rect, int param, std::string* log, char name)
      : IControl(plug, &rect, param), log(log), name(name) {}
  void MouseDown(int, int, IMouseKeys* keys) override {
    *log += std::string(1, name) + (keys->right ? "R" : "D");
  }
  void MouseUp(int, int, IMouseKeys*) override { *log += std::string(1, name) + "U"; }
  void MouseOver(int, int, IMouseKeys*) override { *log += std::string(1, name) + "O"; }
  void MouseOut() override { *log += std::string(1, name) + "X"; }
  void MouseWheel(int, int, IMouseKeys*, int delta) override {
    *log += std::string(1, name) + "W" + std::to_string(delta);
  }
  bool KeyDown(int, int, int key) override {
    *log += std::string(1, name) + "K" + std::to_string(key);
    return true;
  }
  bool Draw(IGraphics*) override { return true; }

 private:
  std::string* log;
  char name;
};

class DispatchTest : public ::testing::TestWithParam<IPluginApi> {
 protected:
  DispatchTest() : plug(GetParam()) {}
  ~DispatchTest() override {
    if (plug.GetGuiLink() != gui) delete gui;
  }

  // Background, knob (param 1), switch (2), contact (3), file selector (4), menu control,
  // grayed knob (5), hidden knob (6).
  void BuildLayout() {
    const IRectangle all{0, 0, 200, 100};
    gui->AddControl(new IPanelControl(&plug, &all, kColorBlack));
    knob = new IKnobMultiControl(&plug, 10, 10, 1, StripOf(strip.get(), 6), 4.0);
    knob->DisablePrompt(false);
    gui->AddControl(knob);
    gui->AddControl(new ISwitchControl(&plug, 60, 10, 2, StripOf(twoFrames.get(), 2)));
    gui->AddControl(new IContactControl(&plug, 110, 10, 3, StripOf(twoFrames.get(), 2)));
    const IRectangle fileRect{160, 10, 190, 40};
    gui->AddControl(new IFileSelectorControl(&plug, &fileRect, 4, StripOf(strip.get(), 1), 0, ""));
    gui->AddControl(new MenuControl(&plug, {10, 60, 50, 90}));
    auto* grayed = new IKnobMultiControl(&plug, 60, 60, 5, StripOf(strip.get(), 6), 4.0);
    grayed->GrayOut(true);
    gui->AddControl(grayed);
    auto* hidden = new IKnobMultiControl(&plug, 110, 60, 6, StripOf(strip.get(), 6), 4.0);
    hidden->Hide(true);
    gui->AddControl(hidden);
  }

  std::vector<Event::Kind> Kinds(int idx) const { return plug.KindsFor(idx); }

  RecordingPlugin plug;
  TestGraphics* gui = new TestGraphics(&plug);
  std::unique_ptr<Raster_MemBitmap> strip{NumberedStrip(40, 40, 6)};
  std::unique_ptr<Raster_MemBitmap> twoFrames{NumberedStrip(40, 20, 2)};
  IKnobMultiControl* knob = nullptr;
  IMouseKeys left{true, false, false, false, false};
  IMouseKeys right{false, true, false, false, false};
  IMouseKeys both{true, true, false, false, false};
  IMouseKeys none{};
};

// Per parameter, begins and ends alternate starting with a begin; at most one edit is open at a
// time, and every value sent while one is open belongs to it.
void ExpectBalancedGestures(const std::vector<Event>& events, bool closed, unsigned seed) {
  int open = -1;
  for (const Event& e : events) {
    if (e.kind == Event::kBegin) {
      ASSERT_EQ(open, -1) << "seed " << seed << ": begin " << e.idx << " inside " << open;
      open = e.idx;
    } else if (e.kind == Event::kEnd) {
      ASSERT_EQ(open, e.idx) << "seed " << seed << ": end " << e.idx;
      open = -1;
    } else if (e.kind == Event::kPerform && open >= 0) {
      ASSERT_EQ(open, e.idx) << "seed " << seed << ": value for " << e.idx << " inside " << open;
    }
  }
  if (closed) {
    EXPECT_EQ(open, -1) << "seed " << seed;
  }
}

TEST_P(DispatchTest, EveryEventSequenceLeavesTheHostEditsBalanced) {
  BuildLayout();
  plug.AttachGui(gui);
  gui->fileAnswer = "x.tovalunepreset";
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    bool leftDown = false;
    bool rightDown = false;
    plug.events.clear();
    for (int step = 0; step < 60; ++step) {
      const int x = pick(230) - 15;
      const int y = pick(130) - 15;
      IMouseKeys keys{leftDown, rightDown, pick(4) == 0, pick(4) == 0, false};
      gui->menuAnswer = [&](IPopupMenu*) { return pick(2); };
      switch (pick(9)) {
        case 0:
        case 1: {  // a press of a button that is up (the other may be held: a chord)
          const bool useRight = pick(3) == 0;
          if (useRight ? rightDown : leftDown) break;
          (useRight ? rightDown : leftDown) = true;
          keys.left = leftDown;
          keys.right = rightDown;
          gui->OnMouseDown(x, y, &keys, useRight ? IMouseButton::kRight : IMouseButton::kLeft);
          break;
        }
        case 2: {  // a release of a held button
          if (!leftDown && !rightDown) break;
          if (leftDown && (!rightDown || pick(2) == 0)) {
            leftDown = false;
          } else {
            rightDown = false;
          }
          keys.left = leftDown;
          keys.right = rightDown;
          gui->OnMouseUp(x, y, &keys);
          break;
        }
        case 3:
        case 4:
          if (leftDown || rightDown) gui->OnMouseDrag(x, y, &keys);
          break;
        case 5:
          if (!leftDown && !rightDown) {
            keys.left = leftDown = true;
            if (!gui->OnMouseDoubleClick(x, y, &keys)) leftDown = pick(2) == 0;
          }
          break;
        case 6:
          gui->OnMouseWheel(x, y, &keys, pick(5) - 2);
          break;
        case 7:
          if (pick(3) == 0) gui->OnCaptureLost();
          break;
        default:
          if (pick(4) == 0) {
            gui->CloseWindow();  // mid-gesture too
            leftDown = rightDown = false;
          }
          break;
      }
      ExpectBalancedGestures(plug.events, false, seed);
      if (HasFatalFailure()) return;
    }
    gui->CloseWindow();
    ExpectBalancedGestures(plug.events, true, seed);
    EXPECT_EQ(gui->OpenGestureParam(), -1);
    if (HasFatalFailure()) return;
  }
}

TEST_P(DispatchTest, ARightClickOnABoundControlIsTheHostsMenuInVst3AndAPromptInVst2) {
  BuildLayout();
  plug.AttachGui(gui);
  gui->OnMouseDown(20, 20, &right);
  gui->OnMouseUp(20, 20, &none);
  if (GetParam() == kApiVST3) {
    EXPECT_EQ(Kinds(1), std::vector<Event::Kind>{Event::kContextMenu});
    EXPECT_TRUE(gui->entries.empty());
  } else {
    EXPECT_EQ(Kinds(1), (std::vector<Event::Kind>{Event::kBegin, Event::kEnd}));
    ASSERT_EQ(gui->entries.size(), 1u);
    EXPECT_EQ(gui->entries[0].rect, (IRectangle{10, 22, 50, 38}));
    EXPECT_EQ(gui->entries[0].text, "0.00");
  }
  // A left press while the right button is held is a left press.
  plug.events.clear();
  gui->OnMouseDown(20, 20, &both, IMouseButton::kLeft);
  gui->OnMouseUp(20, 20, &right);
  EXPECT_EQ(Kinds(1), (std::vector<Event::Kind>{Event::kBegin, Event::kEnd}));
  // Unbound controls get the right press themselves in both.
  std::string log;
  gui->AddControl(new LogControl(&plug, {0, 90, 10, 100}, -1, &log, 'L'));
  gui->OnMouseDown(5, 95, &right);
  EXPECT_EQ(log, "LR");
}

TEST_P(DispatchTest, ADoubleClickThatPressesHoldsTheMouseWithoutAHostEdit) {
  BuildLayout();
  plug.AttachGui(gui);
  IControl* contact = gui->GetControl(3);
  EXPECT_TRUE(gui->OnMouseDoubleClick(115, 15, &left));
  EXPECT_EQ(gui->CaptureIndex(), 3);
  EXPECT_EQ(contact->GetValue(), 1.0);
  gui->OnMouseUp(190, 95, &none);  // released far away: the key still goes up
  EXPECT_EQ(contact->GetValue(), 0.0);
  EXPECT_EQ(Kinds(3), (std::vector<Event::Kind>{Event::kPerform, Event::kPerform}));
  // On a knob a double-click restores the default (the value shown when the editor was
  // attached) without a host edit.
  knob->SetValueFromPlug(0.4);
  EXPECT_FALSE(gui->OnMouseDoubleClick(20, 20, &left));
  EXPECT_EQ(knob->GetValue(), 0.0);
  EXPECT_EQ(Kinds(1), std::vector<Event::Kind>{Event::kPerform});
}

TEST_P(DispatchTest, APressAndDragEditTheCapturedControlUntilTheReleaseOrACaptureLoss) {
  BuildLayout();
  plug.AttachGui(gui);
  gui->OnMouseDown(20, 30, &left);
  gui->OnMouseDrag(20, 30, &left);   // no movement: nothing
  gui->OnMouseDrag(150, 20, &left);  // outside the knob: still the knob's drag
  EXPECT_NEAR(knob->GetValue(), 10.0 / 160, 1e-12);
  gui->OnCaptureLost();
  gui->OnMouseUp(20, 20, &none);
  gui->OnCaptureLost();
  EXPECT_EQ(Kinds(1), (std::vector<Event::Kind>{Event::kBegin, Event::kPerform, Event::kEnd}));
  // A dialog opened by the press takes the mouse: its edit is complete when the press returns.
  plug.events.clear();
  gui->fileAnswer = "a.tovalunepreset";
  gui->OnMouseDown(170, 20, &left);
  EXPECT_EQ(Kinds(4), (std::vector<Event::Kind>{Event::kBegin, Event::kPerform, Event::kEnd}));
  EXPECT_EQ(gui->CaptureIndex(), -1);
  gui->OnMouseUp(170, 20, &none);
  EXPECT_EQ(Kinds(4).size(), 3u);
}

TEST_P(DispatchTest, HiddenAndGrayedControlsLetPressesThrough) {
  BuildLayout();
  gui->OnMouseDown(115, 65, &left);  // hidden knob: the background takes it
  EXPECT_EQ(gui->CaptureIndex(), 0);
  gui->OnMouseDown(65, 65, &left);  // grayed knob
  EXPECT_EQ(gui->CaptureIndex(), 0);
  gui->OnMouseUp(65, 65, &none);
  gui->OnMouseUp(65, 65, &none);  // nothing captured: the background again, nothing else
  EXPECT_TRUE(plug.events.empty());
  gui->OnMouseUp(500, 500, &none);  // nothing there at all
  EXPECT_EQ(gui->CaptureIndex(), -1);
}

TEST_P(DispatchTest, HoverWheelAndKeysReachTheControlUnderTheCursor) {
  std::string log;
  const IRectangle all{0, 0, 200, 100};
  gui->AddControl(new IPanelControl(&plug, &all, kColorBlack));
  gui->AddControl(new LogControl(&plug, {0, 0, 50, 50}, -1, &log, 'A'));
  auto* grayed = new LogControl(&plug, {50, 0, 100, 50}, -1, &log, 'B');
  grayed->GrayOut(true);
  grayed->SetMouseOverWhenGrayed(true);
  gui->AddControl(grayed);
  EXPECT_FALSE(gui->OnMouseOver(10, 10, &none));  // hovering is off by default
  gui->EnableMouseOver(true);
  EXPECT_TRUE(gui->OnMouseOver(10, 10, &none));
  EXPECT_TRUE(gui->OnMouseOver(60, 10, &none));
  EXPECT_EQ(log, "AOBOAX");
  EXPECT_EQ(gui->MouseOverIndex(), 2);
  log.clear();
  gui->OnMouseWheel(10, 10, &none, 0);
  EXPECT_EQ(log, "AW0");
  log.clear();
  EXPECT_TRUE(gui->OnKeyDown(10, 10, kKeyA));
  EXPECT_FALSE(gui->OnKeyDown(150, 80, kKeyA));  // over the background, no key catcher
  gui->SetKeyCatcher(new LogControl(&plug, {0, 0, 0, 0}, -1, &log, 'K'));
  EXPECT_TRUE(gui->OnKeyDown(150, 80, kKeySpace));
  EXPECT_EQ(log, "AK15KK0");
}

TEST(KeyCodes, LettersDigitsArrowsAndSpaceOnly) {
  EXPECT_EQ(KeyCodeForVirtualKey(32), kKeySpace);
  EXPECT_EQ(KeyCodeForVirtualKey(37), kKeyLeft);
  EXPECT_EQ(KeyCodeForVirtualKey(38), kKeyUp);
  EXPECT_EQ(KeyCodeForVirtualKey(39), kKeyRight);
  EXPECT_EQ(KeyCodeForVirtualKey(40), kKeyDown);
  for (int digit = 0; digit < 10; ++digit)
    EXPECT_EQ(KeyCodeForVirtualKey('0' + digit), 5 + digit);
  for (int letter = 0; letter < 26; ++letter)
    EXPECT_EQ(KeyCodeForVirtualKey('A' + letter), 15 + letter);
  // The keypad and function keys (97-122) have no code.
  for (int key = 97; key <= 122; ++key)
    EXPECT_EQ(KeyCodeForVirtualKey(key), kKeyNone) << key;
  EXPECT_EQ(KeyCodeForVirtualKey(13), kKeyNone);
}

INSTANTIATE_TEST_SUITE_P(BothApis, DispatchTest, ::testing::Values(kApiVST3, kApiVST2),
                         [](const ::testing::TestParamInfo<IPluginApi>& info) {
                           return info.param == kApiVST3 ? std::string("Vst3")
                                                         : std::string("Vst2");
                         });

}  // namespace
