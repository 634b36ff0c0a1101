#include <random>
#include <string>
#include <vector>

#include "editor_test_support.h"

namespace {

using Kinds = std::vector<RecordingPlugin::Kind>;
constexpr RecordingPlugin::Kind kBegin = RecordingPlugin::kBegin;
constexpr RecordingPlugin::Kind kPerform = RecordingPlugin::kPerform;
constexpr RecordingPlugin::Kind kEnd = RecordingPlugin::kEnd;

// Logs what reaches it: name, then D/R press, U release, O over, X out, W wheel, K key. 'M'
// opens a menu on every press instead, as the instrument's selectors do.
struct LogControl : IControl {
  LogControl(IPluginCore* plug, IRectangle rect, std::string* log, char name)
      : IControl(plug, &rect), log(log), name(name) {}
  void Log(const std::string& what) { *log += name + what; }
  void MouseDown(int, int, IMouseKeys* keys) override {
    IPopupMenu menu;
    menu.AppendText("one");
    if (name == 'M') GetPlug()->GetGui()->ShowPopupMenu(&menu, &rect);
    Log(keys->right ? "R" : "D");
  }
  void MouseUp(int, int, IMouseKeys*) override { Log("U"); }
  void MouseOver(int, int, IMouseKeys*) override { Log("O"); }
  void MouseOut() override { Log("X"); }
  void MouseWheel(int, int, IMouseKeys*, int delta) override { Log("W" + std::to_string(delta)); }
  bool KeyDown(int, int, int key) override { return Log("K" + std::to_string(key)), true; }
  bool Draw(IGraphics*) override { return true; }
  std::string* log;
  char name;
};

class DispatchTest : public ::testing::TestWithParam<IPluginApi> {
 protected:
  // Background 0, knob 1 (parameter 1), switch 2, contact 3, file selector 4 (their parameters
  // alike), menu control 5, grayed knob 6 (parameter 5), hidden knob 7 (parameter 6).
  void SetUp() override {
    const IRectangle all{0, 0, 200, 100};
    const IRectangle fileRect{160, 10, 190, 40};
    gui->AddControl(new IPanelControl(&plug, &all, kColorBlack));
    knob = new IKnobMultiControl(&plug, 10, 10, 1, strips(40, 40, 6), 4.0);
    knob->DisablePrompt(false);
    gui->AddControl(knob);
    gui->AddControl(new ISwitchControl(&plug, 60, 10, 2, strips(40, 20, 2)));
    gui->AddControl(new IContactControl(&plug, 110, 10, 3, strips(40, 20, 2)));
    gui->AddControl(new IFileSelectorControl(&plug, &fileRect, 4, strips(30, 30, 1), 0, ""));
    gui->AddControl(new LogControl(&plug, {10, 60, 50, 90}, &log, 'M'));
    for (int idx : {5, 6})
      gui->AddControl(new IKnobMultiControl(&plug, 50 * idx - 190, 60, idx, strips(40, 40, 6), 4));
    gui->GetControl(6)->GrayOut(true);
    gui->GetControl(7)->Hide(true);
    plug.GetParam(1)->SetClamped(37.256);
    plug.AttachGui(gui);
  }

  StripMaker strips;
  RecordingPlugin plug{GetParam()};
  TestGraphics* gui = new TestGraphics(&plug);  // owned by the plug-in
  IKnobMultiControl* knob = nullptr;
  std::string log;
  IMouseKeys left{true, false, false, false, false};
  IMouseKeys right{false, true, false, false, false};
  IMouseKeys none{};
};

// Random presses, chords, releases, drags, double-clicks, wheel turns, capture losses and
// closes all over the layout. Host edits never overlap, a value sent inside one belongs to it,
// and the editor's open edit is the one the host sees: none after a release, a capture loss, a
// close, or a press that left nothing holding the mouse.
TEST_P(DispatchTest, EveryEventSequenceLeavesTheHostEditsBalanced) {
  gui->fileAnswer = "x.tovalunepreset";
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    gui->menuAnswer = [&](IPopupMenu*) { return pick(2); };
    bool down[2] = {false, false};  // left, right
    int open = -1;
    size_t seen = 0;
    plug.events.clear();
    for (int step = 0; step <= 60; ++step) {  // the last step closes the window
      const int x = pick(230) - 15;
      const int y = pick(130) - 15;
      const bool shift = pick(4) == 0;
      const bool ctrl = pick(4) == 0;
      IMouseKeys keys{down[0], down[1], shift, ctrl, false};
      const int action = step == 60 ? 8 : pick(9);
      const int button = pick(3) == 0;
      bool mustBeClosed = false;
      if (action < 2 && !down[button]) {  // a press, maybe while the other button is held
        down[button] = true;
        keys = {down[0], down[1], shift, ctrl, false};
        gui->OnMouseDown(x, y, &keys, button ? IMouseButton::kRight : IMouseButton::kLeft);
        mustBeClosed = gui->CaptureIndex() < 0;
      } else if (action == 2 && (down[0] || down[1])) {
        down[down[0] && (!down[1] || pick(2)) ? 0 : 1] = false;
        keys = {down[0], down[1], shift, ctrl, false};
        gui->OnMouseUp(x, y, &keys);
        mustBeClosed = true;
      } else if (action < 5 && (down[0] || down[1])) {
        gui->OnMouseDrag(x, y, &keys);
      } else if (action == 5 && !down[0] && !down[1]) {
        keys.left = down[0] = true;
        if (!gui->OnMouseDoubleClick(x, y, &keys)) down[0] = pick(2) == 0;
      } else if (action == 6) {
        gui->OnMouseWheel(x, y, &keys, pick(5) - 2);
      } else if (action == 7 && pick(3) == 0) {
        gui->OnCaptureLost();
        mustBeClosed = true;
      } else if (action == 8 && (step == 60 || pick(4) == 0)) {  // mid-gesture too
        gui->CloseWindow();
        down[0] = down[1] = false;
        mustBeClosed = true;
      }
      for (; seen < plug.events.size(); ++seen) {
        const RecordingPlugin::Event& e = plug.events[seen];
        const bool inside = e.kind == kEnd || (e.kind == kPerform && open >= 0);
        ASSERT_TRUE(e.kind == kBegin ? open == -1 : !inside || open == e.idx)
            << "seed " << seed << ": event " << seen << " of parameter " << e.idx;
        open = e.kind == kBegin ? e.idx : e.kind == kEnd ? -1 : open;
      }
      ASSERT_EQ(gui->OpenGestureParam(), open) << "seed " << seed;
      ASSERT_TRUE(!mustBeClosed || open == -1) << "seed " << seed << ", action " << action;
    }
  }
}

TEST_P(DispatchTest, PressesDragsAndDoubleClicksMakeOneHostEditEach) {
  gui->OnMouseDown(20, 20, &right);  // a right press on a bound control
  gui->OnMouseUp(20, 20, &none);
  if (GetParam() == kApiVST3) {  // the host's menu
    EXPECT_EQ(plug.KindsFor(1), Kinds{RecordingPlugin::kContextMenu});
    EXPECT_TRUE(gui->entries.empty());
  } else {  // the value prompt over the knob; its commit is one more host edit
    EXPECT_EQ(plug.KindsFor(1), (Kinds{kBegin, kEnd}));
    ASSERT_EQ(gui->entries.size(), 1u);
    EXPECT_EQ(gui->entries[0].rect, (IRectangle{10, 22, 50, 38}));
    EXPECT_EQ(gui->entries[0].text, "37.26");
    EXPECT_FALSE(gui->CommitTextEntry(knob, gui->entries[0].param, "nan"));
    EXPECT_TRUE(gui->CommitTextEntry(knob, gui->entries[0].param, "-4"));
    EXPECT_EQ(plug.KindsFor(1), (Kinds{kBegin, kEnd, kBegin, kPerform, kEnd}));
    EXPECT_EQ(plug.GetParam(1)->Value(), 0.0);
  }
  plug.events.clear();
  const double before = knob->GetValue();
  IMouseKeys both{true, true, false, false, false};
  gui->OnMouseDown(20, 30, &both, IMouseButton::kLeft);  // a left press with the right held
  gui->OnMouseDrag(20, 30, &left);                       // no movement: nothing
  gui->OnMouseDrag(150, 20, &left);                      // outside: still the knob's drag
  EXPECT_NEAR(knob->GetValue(), before + 10.0 / 160, 1e-12);
  gui->OnCaptureLost();
  EXPECT_EQ(plug.KindsFor(1), (Kinds{kBegin, kPerform, kEnd}));
  gui->OnMouseUp(20, 20, &none);
  gui->OnCaptureLost();
  EXPECT_EQ(plug.KindsFor(1).size(), 3u);

  // A dialog opened by the press takes the mouse: its edit is complete when the press returns.
  gui->OnMouseDown(170, 20, &left);
  EXPECT_EQ(plug.KindsFor(4), (Kinds{kBegin, kPerform, kEnd}));
  EXPECT_EQ(gui->CaptureIndex(), -1);
  gui->OnMouseUp(170, 20, &none);
  EXPECT_EQ(plug.KindsFor(4).size(), 3u);

  // A double-click on a key presses it without a host edit and holds the mouse until the
  // release, wherever that is; on a knob it restores the value shown when the editor opened.
  EXPECT_TRUE(gui->OnMouseDoubleClick(115, 15, &left));
  EXPECT_EQ(gui->CaptureIndex(), 3);
  EXPECT_EQ(gui->GetControl(3)->GetValue(), 1.0);
  gui->OnMouseUp(190, 95, &none);
  EXPECT_EQ(gui->GetControl(3)->GetValue(), 0.0);
  EXPECT_EQ(plug.KindsFor(3), (Kinds{kPerform, kPerform}));
  EXPECT_FALSE(gui->OnMouseDoubleClick(20, 20, &left));
  EXPECT_EQ(knob->GetValue(), 0.37256);
  EXPECT_EQ(plug.KindsFor(1).size(), 4u);

  // Hidden and grayed controls let presses through to the background.
  plug.events.clear();
  for (int x : {115, 65, 500}) {
    gui->OnMouseDown(x, 65, &left);
    EXPECT_EQ(gui->CaptureIndex(), x == 500 ? -1 : 0);
    gui->OnMouseUp(x, 65, &none);
  }
  EXPECT_TRUE(plug.events.empty());
}

TEST_P(DispatchTest, HoverWheelAndKeysReachTheControlUnderTheCursor) {
  gui->AddControl(new LogControl(&plug, {0, 0, 50, 50}, &log, 'A'));
  auto* grayed = new LogControl(&plug, {50, 0, 100, 50}, &log, 'B');
  grayed->GrayOut(true);
  grayed->SetMouseOverWhenGrayed(true);
  gui->AddControl(grayed);
  EXPECT_FALSE(gui->OnMouseOver(10, 10, &none));  // hovering is off by default
  gui->EnableMouseOver(true);
  EXPECT_TRUE(gui->OnMouseOver(10, 10, &none));
  EXPECT_TRUE(gui->OnMouseOver(60, 10, &none));
  EXPECT_EQ(gui->MouseOverIndex(), 9);
  gui->OnMouseWheel(10, 10, &none, -3);
  gui->OnMouseDown(5, 5, &right);  // unbound controls get the right press themselves
  gui->OnMouseUp(5, 5, &none);
  EXPECT_TRUE(gui->OnKeyDown(10, 10, kKeyA));
  EXPECT_FALSE(gui->OnKeyDown(150, 90, kKeyA));  // over the background, no key catcher
  gui->SetKeyCatcher(new LogControl(&plug, {0, 0, 0, 0}, &log, 'K'));
  EXPECT_TRUE(gui->OnKeyDown(150, 90, kKeySpace));
  EXPECT_EQ(log, "AOBOAXAW-3ARAUAK15KK0");
}

INSTANTIATE_TEST_SUITE_P(BothApis, DispatchTest, ::testing::Values(kApiVST3, kApiVST2),
                         [](const ::testing::TestParamInfo<IPluginApi>& info) {
                           return std::string(info.param == kApiVST3 ? "Vst3" : "Vst2");
                         });

TEST(KeyCodes, LettersDigitsArrowsAndSpaceOnly) {
  const int arrows[] = {kKeyLeft, kKeyUp, kKeyRight, kKeyDown};  // keys 37 to 40
  for (int key = 0; key < 256; ++key) {
    int code = key == 32 ? kKeySpace : kKeyNone;
    if (key >= 37 && key <= 40) code = arrows[key - 37];
    if (key >= '0' && key <= '9') code = 5 + key - '0';
    if (key >= 'A' && key <= 'Z') code = 15 + key - 'A';  // 'a' to 'z' are keypad and F-keys
    EXPECT_EQ(KeyCodeForVirtualKey(key), code) << key;
  }
}

}  // namespace
