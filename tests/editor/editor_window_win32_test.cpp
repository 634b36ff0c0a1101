// The instrument's editor in a host's window, under Wine: the VST3 module's editor at single
// scale through createView and attached, the VST2 library's at double scale through
// effEditOpen. Each state is read back from the screen, written as a picture into the build tree
// and checked control by control against the bare panel composed from the module's own images.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor_harness.h"
#include "engine/engine_params.h"
#include "instrument/editor/editor_layout.h"
#include "instrument/effect_panels.h"
#include "raster/blend.h"
#include "raster/png_image.h"
#include "vst2_test_host.h"

namespace {

using namespace EditorLayout;
using EditorHarness::Pixels;

constexpr int kFirstKey = 13;  // note 36
// The part of the pitch wheel that the mod wheel (added later) does not cover.
constexpr Rect kPitchWheelOwn = {99, 405, 149, 485};

// Writes a picture of the window into the build tree (Z: is the build machine's root).
void Save(const std::string& name, const Pixels& pixels) {
  std::string path = "Z:" + std::string(TOVALUNE_EDITOR_PICTURES) + "/" + name + ".png";
  std::replace(path.begin(), path.end(), '/', '\\');
  EXPECT_TRUE(EditorHarness::WritePixelsPng(path, pixels)) << name;
}

// Pixels of rect (single-scale editor pixels, taken at scale) whose RGB differ.
int Differences(const Pixels& a, const Pixels& b, const Rect& rect, int scale = 1) {
  const Rect r = Scaled(rect, scale);
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x)
      count += ((a.At(x, y) ^ b.At(x, y)) & 0xFFFFFF) != 0;
  }
  return count;
}

// The window once shows() accepts it, or the last read after the harness's timeout.
template <class Shows>
Pixels WaitFor(HWND window, Shows shows) {
  Pixels capture;
  EditorHarness::PumpUntil(
      [&] { return shows(capture = EditorHarness::ReadWindowPixels(window)); });
  return capture;
}

// The effect panel slot choice shows: -1 for "No Effect".
int ShownPanel(int firstPanel, int choice) {
  return choice <= 1 ? -1 : firstPanel + choice - 2;
}

// The bare panel and each cartridge on it, composed from the module's own images.
class EditorPictures {
 public:
  EditorPictures(HMODULE module, int scale) : module(module), scale(scale) {
    bare = Compose(-1);
    for (int panel = 0; panel < kEffectPanelCount; ++panel)
      withCartridge[panel] = Compose(panel);
  }

  // Whether each slot's bay shows the bare panel when it has no effect, else the left edge of
  // the chosen effect's cartridge (where neither the switch nor a knob lies).
  bool ShowsSlots(const Pixels& capture, int slot1, int slot2) const {
    const int shown[2] = {ShownPanel(EffectPanels::kSlot1FirstPanel, slot1),
                          ShownPanel(EffectPanels::kSlot2FirstPanel, slot2)};
    const Rect bays[2] = {kControls[3].rect, kControls[9].rect};
    for (int slot = 0; slot < 2; ++slot) {
      const int panel = shown[slot];
      const Rect edge{bays[slot].left, bays[slot].top, bays[slot].left + 30, bays[slot].bottom};
      const bool matches = panel < 0
                               ? Differences(capture, bare, bays[slot], scale) == 0
                               : Differences(capture, withCartridge[panel], edge, scale) == 0 &&
                                     Differences(capture, bare, edge, scale) > 0;
      if (!matches) return false;
    }
    return true;
  }
  // The bays show their choices and every control that draws, hidden panels aside, changed the
  // bare panel's pixels (menus and file selectors draw nothing).
  void ExpectState(const Pixels& capture, int slot1, int slot2) const {
    EXPECT_TRUE(ShowsSlots(capture, slot1, slot2)) << "slots " << slot1 << ", " << slot2;
    for (int idx = 3; idx < kControlCount; ++idx) {
      const EditorLayout::Control& control = kControls[idx];
      if (control.kind >= ControlKind::kFxSlot1Selector && control.kind <= ControlKind::kFileSave)
        continue;
      if (control.panel >= 0 &&
          control.panel != ShownPanel(EffectPanels::kSlot1FirstPanel, slot1) &&
          control.panel != ShownPanel(EffectPanels::kSlot2FirstPanel, slot2))
        continue;
      EXPECT_GT(Differences(capture, bare, control.rect, scale), 0)
          << "control " << idx << " at slots " << slot1 << ", " << slot2;
    }
  }

 private:
  // The editor's background, header, main panel and the cartridge of panel (none if -1).
  Pixels Compose(int panel) const {
    Raster_MemBitmap canvas(Scaled(kEditorWidth, scale), Scaled(kEditorHeight, scale));
    for (int idx : {0, 1, 2, panel < 0 ? -1 : 3 + panel}) {
      if (idx < 0) continue;
      std::unique_ptr<Raster_MemBitmap> image(Raster_LoadPngResource(module, kControls[idx].image));
      EXPECT_TRUE(image) << "control " << idx;
      if (!image) continue;
      const IRectangle source{0, 0, image->Width(), image->Height()};
      const IBlendSpec blend{idx == 0 ? kBlendPlainCopy : kBlendSourceAlpha, 1.0f};
      const Rect at = Scaled(kControls[idx].rect, scale);
      Raster_BlitArea(&canvas, image.get(), at.left, at.top, &source, 1.0f,
                      IBlendSpec::ModeFor(&blend));
    }
    return EditorHarness::ReadBitmapPixels(&canvas, canvas.Width(), canvas.Height());
  }

  HMODULE module;
  int scale;
  Pixels bare;
  Pixels withCartridge[kEffectPanelCount];
};

TEST(Vst3EditorWindow, ShowsEveryControlInEverySelectorCombinationAMidiKeyAndTheWheel) {
  EditorHarness::HostWindow host(1000, 530);  // outlives the editor it holds
  EditorHarness::ModuleEditor editor(TOVALUNE_VST3_BUNDLE_BINARY);
  ASSERT_TRUE(editor.Loaded());
  ASSERT_EQ(editor.Attach(host.Handle()), Steinberg::kResultOk);
  const HWND window = host.EditorChild();
  ASSERT_NE(window, nullptr);
  const EditorPictures pictures(static_cast<HMODULE>(editor.module.library), 1);
  // One process call that sets normalized parameter values and plays events.
  auto process = [&](const std::vector<std::pair<int, double>>& values,
                     TestEventList* events = nullptr) {
    TestParameterChanges changes;
    for (const auto& [idx, value] : values)
      changes.Add(static_cast<Steinberg::Vst::ParamID>(idx), {value});
    TestAudioBlock block(64);
    editor.session->Process(block, Steinberg::Vst::kSample32, &changes, events);
  };
  auto waitForSlots = [&](int slot1, int slot2) {
    return WaitFor(window,
                   [&](const Pixels& now) { return pictures.ShowsSlots(now, slot1, slot2); });
  };

  const Pixels initial = waitForSlots(1, 1);
  ASSERT_EQ(initial.width, 1000);
  ASSERT_EQ(initial.height, 530);
  Save("vst3_editor", initial);
  pictures.ExpectState(initial, 1, 1);
  for (int slot1 = 1; slot1 <= 7; ++slot1) {
    for (int slot2 = 1; slot2 <= 3; ++slot2) {
      process({{EngineParam::FXSlot1Selector, (slot1 - 1) / 6.0},
               {EngineParam::FXSlot2Selector, (slot2 - 1) / 2.0}});
      const Pixels shown = waitForSlots(slot1, slot2);
      pictures.ExpectState(shown, slot1, slot2);
      Save("vst3_fx" + std::to_string(slot1) + std::to_string(slot2), shown);
    }
  }

  const Pixels unlit = waitForSlots(7, 3);
  const Rect key = kControls[kFirstKey + 12].rect;  // note 48
  auto lit = [&](const Pixels& now) { return Differences(now, unlit, key) > 0; };
  TestEventList on;
  on.AddNoteOn(0, 0, 48, 0.8f);
  process({}, &on);
  const Pixels playing = WaitFor(window, lit);
  EXPECT_TRUE(lit(playing));
  EXPECT_EQ(Differences(playing, unlit, kControls[kFirstKey + 13].rect), 0);
  Save("vst3_key48", playing);

  // The wheel at 0, 1 and 0.5 shows three different frames; 0.5 is where it rests.
  Pixels wheel[3];
  auto shows = [&](int i, const Pixels& now) {
    if (i == 1) return Differences(now, unlit, kControls[11].rect) == 0;
    return Differences(now, unlit, kPitchWheelOwn) > 0 &&
           (i == 0 || Differences(now, wheel[0], kPitchWheelOwn) > 0);
  };
  for (int i : {0, 2, 1}) {
    process({{EngineParam::PitchBend, i * 0.5}});
    wheel[i] = WaitFor(window, [&](const Pixels& now) { return shows(i, now); });
    EXPECT_TRUE(shows(i, wheel[i])) << i;
    Save("vst3_wheel" + std::to_string(i), wheel[i]);
  }
}

TEST(Vst2EditorWindow, OpensAtDoubleScaleInTheHostsWindowAndCloses) {
  TovaluneEntries library;
  ASSERT_TRUE(OpenTovaluneEntries(&library));
  {
    Vst2TestHost plugin;
    ASSERT_TRUE(plugin.Create(library.pluginMain));
    plugin.Start();
    EditorHarness::HostWindow host(2000, 1060);
    ASSERT_EQ(plugin.Dispatch(Op::kEditOpen, 0, 0, host.Handle()), 1);
    const HWND window = host.EditorChild();
    ASSERT_NE(window, nullptr);
    plugin.SetParameter(EngineParam::FXSlot1Selector, 1.0f / 6.0f);  // chorus
    plugin.SetParameter(EngineParam::FXSlot2Selector, 1.0f);         // reverb
    const EditorPictures pictures(static_cast<HMODULE>(library.library), 2);
    const Pixels shown = WaitFor(window, [&](const Pixels& now) {
      return now.width == 2000 && now.height == 1060 && pictures.ShowsSlots(now, 2, 3);
    });
    ASSERT_EQ(shown.width, 2000);
    ASSERT_EQ(shown.height, 1060);
    Save("vst2_editor", shown);
    pictures.ExpectState(shown, 2, 3);
    EXPECT_EQ(plugin.Dispatch(Op::kEditClose), 1);
    EXPECT_EQ(host.EditorChild(), nullptr);
    plugin.Close();
  }
  CloseTovaluneEntries(&library);
}

}  // namespace
