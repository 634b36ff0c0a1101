// The instrument's editor in a host's window, under Wine: the VST3 module's editor at single
// scale through createView and attached, the VST2 library's at double scale through
// effEditOpen. Each state is read back from the screen, written as a picture into the build tree
// and checked control by control against the bare panel.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "editor_capture_win32.h"
#include "engine/engine_params.h"
#include "vst2_test_host.h"

namespace {

using EditorCapture::DifferencesIn;
using EditorCapture::Pixels;
using EditorCapture::WaitForWindow;
using EditorLayout::kControls;

constexpr int kFirstKey = 13;  // note 36
constexpr int kPitchWheel = 11;
// The part of the pitch wheel that the mod wheel (added later) does not cover.
constexpr EditorLayout::Rect kPitchWheelOwn = {99, 405, 149, 485};

class Vst3EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    editor = std::make_unique<EditorHarness::ModuleEditor>(TOVALUNE_VST3_BUNDLE_BINARY);
    ASSERT_TRUE(editor->Loaded());
    module = static_cast<HMODULE>(editor->module.library);
    host = std::make_unique<EditorHarness::HostWindow>(1000, 530);
    ASSERT_EQ(editor->Attach(host->Handle()), Steinberg::kResultOk);
    window = host->EditorChild();
    ASSERT_NE(window, nullptr);
    pictures = std::make_unique<EditorCapture::EditorPictures>(module, 1);
  }
  void TearDown() override {
    editor.reset();
    host.reset();
  }

  // One process call that sets normalized parameter values and plays events.
  void Process(const std::vector<std::pair<int, double>>& values, TestEventList* events = nullptr) {
    TestParameterChanges changes;
    for (const auto& [idx, value] : values)
      changes.Add(static_cast<Steinberg::Vst::ParamID>(idx), {value});
    TestAudioBlock block(64);
    editor->session->Process(block, Steinberg::Vst::kSample32, &changes, events);
  }
  void Selectors(int slot1, int slot2) {
    Process({{EngineParam::FXSlot1Selector, (slot1 - 1) / 6.0},
             {EngineParam::FXSlot2Selector, (slot2 - 1) / 2.0}});
  }
  // The window once the bay of each slot shows its choice.
  Pixels WaitForSlots(int slot1, int slot2) {
    return WaitForWindow(
        window, [&](const Pixels& shown) { return pictures->ShowsSlots(shown, slot1, slot2); });
  }

  std::unique_ptr<EditorHarness::ModuleEditor> editor;
  std::unique_ptr<EditorHarness::HostWindow> host;
  HMODULE module = nullptr;
  HWND window = nullptr;
  std::unique_ptr<EditorCapture::EditorPictures> pictures;
};

TEST_F(Vst3EditorWindow, ShowsEveryControlInEverySelectorCombination) {
  const Pixels initial = WaitForSlots(1, 1);
  ASSERT_EQ(initial.width, 1000);
  ASSERT_EQ(initial.height, 530);
  EXPECT_TRUE(
      EditorHarness::WritePixelsPng(EditorCapture::PicturePath("vst3_editor.png"), initial));
  pictures->ExpectState(initial, 1, 1);
  for (int slot1 = 1; slot1 <= 7; ++slot1) {
    for (int slot2 = 1; slot2 <= 3; ++slot2) {
      Selectors(slot1, slot2);
      const Pixels shown = WaitForSlots(slot1, slot2);
      pictures->ExpectState(shown, slot1, slot2);
      EditorHarness::WritePixelsPng(EditorCapture::PicturePath("vst3_fx" + std::to_string(slot1) +
                                                               std::to_string(slot2) + ".png"),
                                    shown);
    }
  }
}

TEST_F(Vst3EditorWindow, LightsAKeyPlayedByMidiAndTurnsThePitchWheel) {
  const Pixels unlit = WaitForSlots(1, 1);
  const EditorLayout::Rect key = kControls[kFirstKey + 12].rect;  // note 48
  TestEventList on;
  on.AddNoteOn(0, 0, 48, 0.8f);
  Process({}, &on);
  const Pixels lit = WaitForWindow(
      window, [&](const Pixels& now) { return DifferencesIn(now, unlit, key, 1) > 0; });
  EXPECT_GT(DifferencesIn(lit, unlit, key, 1), 0);
  EXPECT_EQ(DifferencesIn(lit, unlit, kControls[kFirstKey + 13].rect, 1), 0);
  EditorHarness::WritePixelsPng(EditorCapture::PicturePath("vst3_key48.png"), lit);
  TestEventList off;
  off.AddNoteOff(0, 0, 48);
  Process({}, &off);
  const Pixels released = WaitForWindow(
      window, [&](const Pixels& now) { return DifferencesIn(now, unlit, key, 1) == 0; });
  EXPECT_EQ(DifferencesIn(released, unlit, key, 1), 0);

  // The wheel at 0, 0.5 and 1 shows three different frames; 0.5 is where it rests.
  Pixels wheel[3];
  for (int i : {0, 2, 1}) {
    Process({{EngineParam::PitchBend, i * 0.5}});
    wheel[i] = WaitForWindow(window, [&](const Pixels& now) {
      return i == 1 ? DifferencesIn(now, unlit, kPitchWheelOwn, 1) == 0
                    : DifferencesIn(now, unlit, kPitchWheelOwn, 1) > 0 &&
                          (i == 0 || DifferencesIn(now, wheel[0], kPitchWheelOwn, 1) > 0);
    });
    EditorHarness::WritePixelsPng(
        EditorCapture::PicturePath("vst3_wheel" + std::to_string(i) + ".png"), wheel[i]);
  }
  EXPECT_GT(DifferencesIn(wheel[0], wheel[1], kPitchWheelOwn, 1), 0);
  EXPECT_GT(DifferencesIn(wheel[2], wheel[1], kPitchWheelOwn, 1), 0);
  EXPECT_GT(DifferencesIn(wheel[0], wheel[2], kPitchWheelOwn, 1), 0);
  EXPECT_EQ(DifferencesIn(wheel[1], unlit, kControls[kPitchWheel].rect, 1), 0);
}

TEST(Vst2EditorWindow, OpensAtDoubleScaleInTheHostsWindowAndCloses) {
  TovaluneEntries library;
  ASSERT_TRUE(OpenTovaluneEntries(&library));
  const HMODULE module = static_cast<HMODULE>(library.library);
  {
    Vst2TestHost plugin;
    ASSERT_TRUE(plugin.Create(library.pluginMain));
    plugin.Start();
    EXPECT_EQ(plugin.At<int32_t>(Field::kFlags), 0x1111);
    void* rect = nullptr;
    ASSERT_EQ(plugin.Dispatch(Op::kEditGetRect, 0, 0, &rect), 1);
    const int16_t* sides = static_cast<int16_t*>(rect);
    EXPECT_EQ(std::vector<int16_t>(sides, sides + 4), (std::vector<int16_t>{0, 0, 1060, 2000}));

    EditorHarness::HostWindow host(2000, 1060);
    ASSERT_EQ(plugin.Dispatch(Op::kEditOpen, 0, 0, host.Handle()), 1);
    const HWND window = host.EditorChild();
    ASSERT_NE(window, nullptr);
    plugin.SetParameter(EngineParam::FXSlot1Selector, 1.0f / 6.0f);  // chorus
    plugin.SetParameter(EngineParam::FXSlot2Selector, 1.0f);         // reverb
    const EditorCapture::EditorPictures pictures(module, 2);
    const Pixels shown = WaitForWindow(window, [&](const Pixels& now) {
      return now.width == 2000 && now.height == 1060 && pictures.ShowsSlots(now, 2, 3);
    });
    ASSERT_EQ(shown.width, 2000);
    ASSERT_EQ(shown.height, 1060);
    EXPECT_TRUE(
        EditorHarness::WritePixelsPng(EditorCapture::PicturePath("vst2_editor.png"), shown));
    pictures.ExpectState(shown, 2, 3);

    EXPECT_EQ(plugin.Dispatch(Op::kEditClose), 1);
    EXPECT_EQ(host.EditorChild(), nullptr);
    plugin.Close();
  }
  CloseTovaluneEntries(&library);
}

}  // namespace
