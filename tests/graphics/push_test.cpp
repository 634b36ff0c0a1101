#include <atomic>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <thread>

#include "editor_test_support.h"

namespace {

class PushTest : public ::testing::Test {
 protected:
  IKnobMultiControl* AddKnob(int param, int x = 0) {
    auto* knob = new IKnobMultiControl(&plug, x, 0, param, strip, 4.0);
    gui->AddControl(knob);
    return knob;
  }
  ITextControl* AddLabel() {
    const IRectangle box{0, 50, 200, 70};
    auto* label = new ITextControl(&plug, &box, ITextStyle::Default(), "old");
    gui->AddControl(label);
    return label;
  }
  IRectangle Tick() {
    IRectangle dirty{};
    gui->Tick(&dirty);
    return dirty;
  }

  StripMaker strips;
  IBitmapStrip strip = strips(40, 40, 6);
  RecordingPlugin plug;
  TestGraphics* gui = new TestGraphics(&plug);  // the plug-in owns it once attached
};

// Values (normalized through the parameter, clamped), labels and visibility wait in fixed
// slots until the window's tick; unknown targets are ignored and nothing goes back to the host.
TEST_F(PushTest, ValuesLabelsAndVisibilityWaitInTheirSlotsUntilTheTick) {
  plug.GetParam(7)->SetClamped(30.0);
  plug.GetParam(5)->DefineDouble("Fixed", 5.0, 5.0, 5.0, 0.0);
  IKnobMultiControl* knob = AddKnob(7);
  IKnobMultiControl* fixed = AddKnob(5, 50);
  IKnobMultiControl* follower = AddKnob(-1, 100);
  for (int aux : {8, 8, 9})
    follower->AddAuxParam(aux);
  ITextControl* label = AddLabel();
  const int slot = gui->AddTextSlot(label);
  plug.AttachGui(gui);
  EXPECT_EQ(knob->GetValue(), 0.3);  // attaching shows every value at once, as the default
  EXPECT_EQ(knob->GetDefaultValue(), 0.3);
  EXPECT_EQ(fixed->GetValue(), 0.0);  // an empty range
  struct Row {
    double value;
    bool normalized;
    double shown;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Row rows[] = {{0.25, true, 0.25}, {75.0, false, 0.75}, {150.0, false, 1.0},
                      {-2.0, true, 0.0},  {7.0, true, 1.0},    {nan, true, 0.0}};
  for (const Row& row : rows) {
    const double before = knob->GetValue();
    plug.PushParamToGui(7, row.value, row.normalized);
    EXPECT_EQ(knob->GetValue(), before);
    Tick();
    EXPECT_EQ(knob->GetValue(), row.shown) << row.value;
  }
  IControl* const shown[] = {knob, fixed, follower, label};
  for (int i = 0; i < 2; ++i) {
    for (IControl* control : shown)
      control->SetClean();
  }
  plug.PushParamToGui(8, 0.5, true);
  plug.PushParamToGui(9, 0.25, true);
  for (int idx : {-1, plug.NParams(), 100000, 1 << 26}) {
    plug.PushParamToGui(idx, 0.5, false);
    plug.PushParamToGui(idx, 0.5, true);
  }
  EXPECT_EQ(Tick(), follower->GetRect());
  EXPECT_EQ(follower->AuxValue(0), 0.5);
  EXPECT_EQ(follower->AuxValue(1), 0.0);  // only the first binding of a parameter follows
  EXPECT_EQ(follower->AuxValue(2), 0.25);

  EXPECT_EQ(gui->AddTextSlot(nullptr), -1);
  gui->PushText(slot, "new label");
  gui->PushText(slot + 1, "nowhere");
  gui->PushHidden(1, true);
  gui->PushHidden(999, true);
  EXPECT_STREQ(label->GetText(), "old");
  EXPECT_FALSE(fixed->IsHidden());
  Tick();
  EXPECT_STREQ(label->GetText(), "new label");
  EXPECT_TRUE(fixed->IsHidden());
  // A long text is cut on a character boundary (a two-byte character straddles the end).
  const std::string kept(IGraphics::kTextSlotSize - 2, 'x');
  gui->PushText(slot, (kept + "\xC3\xA9").c_str());
  Tick();
  EXPECT_EQ(label->GetText(), kept);
  EXPECT_TRUE(plug.events.empty());
}

// One thread plays the host and the audio path (values, labels and panels pushed under the
// instance lock) while the other runs the window: ticks, repaints outside the lock and a user
// dragging a knob. Afterwards every control shows the last value pushed for it.
TEST_F(PushTest, PushesFromAnotherThreadMeetTicksAndRepaints) {
  constexpr int kKnobs = 40;
  std::vector<IKnobMultiControl*> knobs;
  for (int i = 0; i < kKnobs; ++i)  // the user's knob 0 lies apart, the host's overlap
    knobs.push_back(AddKnob(i, i == 0 ? 0 : 100));
  ITextControl* label = AddLabel();
  const int slot = gui->AddTextSlot(label);
  plug.AttachGui(gui);

  std::vector<double> lastPushed(kKnobs, 0.0);
  char lastText[32] = "";
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
      MutexLock lock(plug.GetMutex());
      const int idx = 1 + static_cast<int>(random() % (kKnobs - 1));
      lastPushed[idx] = (random() % 1000) / 999.0;
      plug.PushParamToGui(idx, lastPushed[idx] * 100.0, false);
      std::snprintf(lastText, sizeof(lastText), "Preset %d", round);
      gui->PushText(slot, lastText);
      gui->PushHidden(1 + round % 3, round % 2 == 0);
    }
    done = true;
  });
  IMouseKeys left{true, false, false, false, false};
  for (int ticks = 0; !done || ticks < 5; ++ticks) {
    IRectangle dirty = Tick();
    if (!dirty.IsEmpty()) gui->Draw(&dirty);
    gui->OnMouseDown(20, 20, &left);
    gui->OnMouseDrag(20, 10 + ticks % 20, &left);
    gui->OnMouseUp(20, 20, &left);
  }
  audio.join();
  Tick();
  for (int i = 1; i < kKnobs; ++i)
    EXPECT_NEAR(knobs[i]->GetValue(), lastPushed[i], 1e-12) << i;
  EXPECT_STREQ(label->GetText(), lastText);
}

}  // namespace
