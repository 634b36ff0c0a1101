#include <string>
#include <vector>

#include "editor_test_support.h"

namespace {

using Kinds = std::vector<RecordingPlugin::Kind>;
constexpr RecordingPlugin::Kind kBegin = RecordingPlugin::kBegin;
constexpr RecordingPlugin::Kind kPerform = RecordingPlugin::kPerform;
constexpr RecordingPlugin::Kind kEnd = RecordingPlugin::kEnd;

// Logs what reaches it: name, then D/R press, U release, O over, X out, W wheel, K key.
struct LogControl : IControl {
  LogControl(IPluginCore* plug, IRectangle rect, std::string* log, char name)
      : IControl(plug, &rect), log(log), name(name) {}
  void Log(const std::string& what) { *log += name + what; }
  void MouseDown(int, int, IMouseKeys* keys) override { Log(keys->right ? "R" : "D"); }
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
  // alike), grayed knob 5 (parameter 5), hidden knob 6 (parameter 6).
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
    for (int idx : {5, 6})
      gui->AddControl(new IKnobMultiControl(&plug, 50 * idx - 190, 60, idx, strips(40, 40, 6), 4));
    gui->GetControl(5)->GrayOut(true);
    gui->GetControl(6)->Hide(true);
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
  gui->EndMousePress();
  EXPECT_EQ(plug.KindsFor(1), (Kinds{kBegin, kPerform, kEnd}));
  gui->OnMouseUp(20, 20, &none);
  gui->EndMousePress();
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
  EXPECT_EQ(gui->MouseOverIndex(), 8);
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
