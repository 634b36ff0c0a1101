#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "editor_test_support.h"

namespace {

class PushTest : public ::testing::Test {
 protected:
  IKnobMultiControl* AddKnob(int param, int x = 0) {
    auto* knob = new IKnobMultiControl(&plug, x, 0, param, StripOf(strip.get(), 6), 4.0);
    gui->AddControl(knob);
    return knob;
  }

  RecordingPlugin plug;
  TestGraphics* gui = new TestGraphics(&plug);
  std::unique_ptr<Raster_MemBitmap> strip{NumberedStrip(40, 40, 6)};
};

TEST_F(PushTest, AttachingShowsEveryValueAtOnceAsTheControlsDefault) {
  plug.GetParam(7)->SetClamped(30.0);
  IKnobMultiControl* knob = AddKnob(7);
  plug.AttachGui(gui);
  EXPECT_EQ(knob->GetValue(), 0.3);
  EXPECT_EQ(knob->GetDefaultValue(), 0.3);
  ASSERT_NE(gui->GetBackBuffer(), nullptr);
  EXPECT_EQ(gui->GetBackBuffer()->Width(), 200);
  EXPECT_EQ(plug.GetGui(), gui);
}

TEST_F(PushTest, ValuesWaitInTheirSlotsUntilTheTick) {
  IKnobMultiControl* knob = AddKnob(3);
  IKnobMultiControl* other = AddKnob(4, 50);
  plug.AttachGui(gui);
  struct Row {
    double value;
    bool normalized;
    double shown;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Row rows[] = {{0.25, true, 0.25}, {75.0, false, 0.75}, {150.0, false, 1.0},
                      {-2.0, true, 0.0},  {7.0, true, 1.0},    {nan, true, 0.0}};
  IRectangle dirty{};
  for (const Row& row : rows) {
    const double before = knob->GetValue();
    plug.PushParamToGui(3, row.value, row.normalized);
    EXPECT_EQ(knob->GetValue(), before);
    gui->Tick(&dirty);
    EXPECT_EQ(knob->GetValue(), row.shown) << row.value;
  }
  for (int i = 0; i < 2; ++i) {
    knob->SetClean();
    other->SetClean();
  }
  plug.PushParamToGui(4, 0.5, true);
  ASSERT_TRUE(gui->Tick(&dirty));
  EXPECT_EQ(dirty, other->GetRect());
  // Unknown indexes go nowhere, and nothing is ever sent back to the host.
  for (int idx : {-1, 195, 100000})
    plug.PushParamToGui(idx, 0.5, false);
  gui->Tick(&dirty);
  EXPECT_TRUE(plug.events.empty());
}

TEST_F(PushTest, AnEmptyRangeAndAuxiliaryBindingsAreHandled) {
  plug.GetParam(5)->DefineDouble("Fixed", 5.0, 5.0, 5.0, 0.0);
  IKnobMultiControl* fixed = AddKnob(5);
  IKnobMultiControl* follower = AddKnob(-1, 50);
  follower->AddAuxParam(8);
  follower->AddAuxParam(8);
  follower->AddAuxParam(9);
  plug.AttachGui(gui);
  EXPECT_EQ(fixed->GetValue(), 0.0);
  IRectangle dirty{};
  plug.PushParamToGui(8, 0.5, true);
  plug.PushParamToGui(9, 0.25, true);
  gui->Tick(&dirty);
  EXPECT_EQ(follower->AuxValue(0), 0.5);
  EXPECT_EQ(follower->AuxValue(1), 0.0);  // only the first binding of a parameter follows
  EXPECT_EQ(follower->AuxValue(2), 0.25);
}

TEST_F(PushTest, TextsAndVisibilityArriveAtTheTick) {
  const IRectangle box{0, 0, 100, 20};
  auto* label = new ITextControl(&plug, &box, ITextStyle::Default(), "old");
  const int labelIdx = gui->AddControl(label);
  const int slot = gui->AddTextSlot(label);
  IKnobMultiControl* knob = AddKnob(2, 100);
  plug.AttachGui(gui);
  EXPECT_EQ(gui->AddTextSlot(nullptr), -1);
  gui->PushText(slot, "new label");
  gui->PushHidden(gui->NControls() - 1, true);
  gui->PushHidden(999, true);
  gui->PushText(7, "nowhere");
  EXPECT_STREQ(label->GetText(), "old");
  EXPECT_FALSE(knob->IsHidden());
  IRectangle dirty{};
  EXPECT_TRUE(gui->Tick(&dirty));
  EXPECT_STREQ(label->GetText(), "new label");
  EXPECT_TRUE(knob->IsHidden());
  EXPECT_EQ(labelIdx, 0);
  // A long text is cut on a character boundary (a two-byte character straddles the end).
  std::string longText(IGraphics::kTextSlotSize - 2, 'x');
  longText += "\xC3\xA9";
  gui->PushText(slot, longText.c_str());
  gui->Tick(&dirty);
  EXPECT_EQ(std::string(label->GetText()), std::string(IGraphics::kTextSlotSize - 2, 'x'));
}

// One thread plays the host and the audio path (values, labels and panels pushed under the
// instance lock) while the other runs the window: ticks, repaints outside the lock and a user
// dragging a knob. Afterwards every control shows the last value pushed for it.
TEST_F(PushTest, PushesFromAnotherThreadMeetTicksAndRepaints) {
  constexpr int kKnobs = 40;
  std::vector<IKnobMultiControl*> knobs;
  // The user's knob (parameter 0) lies apart; the host's knobs lie over one another.
  for (int i = 0; i < kKnobs; ++i)
    knobs.push_back(AddKnob(i, i == 0 ? 0 : 100));
  const IRectangle box{0, 50, 200, 70};
  auto* label = new ITextControl(&plug, &box, ITextStyle::Default(), "");
  gui->AddControl(label);
  const int slot = gui->AddTextSlot(label);
  plug.AttachGui(gui);

  std::vector<double> lastPushed(kKnobs, 0.0);
  std::string lastText;
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::mt19937 random(7);
    char text[64];
    for (int round = 0; round < 3000; ++round) {
      MutexLock lock(plug.GetMutex());
      // Parameter 0 is the user's knob; the host pushes all others.
      const int idx = 1 + static_cast<int>(random() % (kKnobs - 1));
      lastPushed[idx] = (random() % 1000) / 999.0;
      plug.PushParamToGui(idx, lastPushed[idx] * 100.0, false);
      std::snprintf(text, sizeof(text), "Preset %d", round);
      gui->PushText(slot, text);
      lastText = text;
      gui->PushHidden(1 + round % 3, round % 2 == 0);
    }
    done = true;
  });
  IMouseKeys left{true, false, false, false, false};
  int ticks = 0;
  while (!done || ticks < 5) {
    IRectangle dirty{};
    if (gui->Tick(&dirty)) gui->Draw(&dirty);
    gui->OnMouseDown(20, 20, &left);
    gui->OnMouseDrag(20, 10 + ticks % 20, &left);
    gui->OnMouseUp(20, 20, &left);
    ++ticks;
  }
  audio.join();
  IRectangle dirty{};
  gui->Tick(&dirty);
  for (int i = 1; i < kKnobs; ++i)
    EXPECT_NEAR(knobs[i]->GetValue(), lastPushed[i], 1e-12) << i;
  EXPECT_EQ(label->GetText(), lastText);
}

}  // namespace
