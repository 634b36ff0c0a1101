// The editor's controls at work: the pitch wheel, the on-screen keys and step buttons, the
// preset file selectors, and values, labels and panels arriving from other threads.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "editor_fixture.h"
#include "instrument/common_documents.h"
#include "instrument/editor/pitch_wheel.h"

namespace {

using Edit = TestBinding::HostEdit;
constexpr int kPitchWheel = 11;
constexpr int kFirstKey = 13;  // note 36
constexpr int kVolume = 93;
constexpr int kLoadSelector = 158;
constexpr int kSaveSelector = 159;

TEST_F(EditorTest, PitchWheelSpringsBackToTheCentreWithOneClosedGestureAndShowsItsFrames) {
  Click(kPitchWheel, -10);  // up by an eighth of its height
  const auto& edits = synth->hostEdits;
  ASSERT_EQ(edits.size(), 4u);
  const Edit::Kind kinds[] = {Edit::kBegin, Edit::kPerform, Edit::kPerform, Edit::kEnd};
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(edits[i].kind == kinds[i] && edits[i].idx == EngineParam::PitchBend) << i;
  EXPECT_DOUBLE_EQ(edits[1].normalized, 0.5 + 10.0 / 80.0 / 4.0);
  EXPECT_EQ(edits[2].normalized, 0.5);
  EXPECT_EQ(Record(EngineParam::PitchBend), 0.0);
  EXPECT_EQ(Control(kPitchWheel)->GetValue(), 0.5);

  // On a strip whose frame k is the solid pixel 0xFF0000kk, the drawn frame shows.
  const int w = 70 * InstrumentEditor::Scale();
  std::unique_ptr<Raster_MemBitmap> numbered(NumberedStrip(w, 80 * InstrumentEditor::Scale(), 20));
  NativeEditorGraphics canvas(synth.get(), gui->Width(), gui->Height(), "");
  canvas.PrepareBackBuffer();
  auto* wheel = new IKnobMultiControl_pitchbendwheel(synth.get(), StripOf(numbered.get(), 20), 4.0);
  canvas.AddControl(wheel);
  const IRectangle r = wheel->GetRect();
  EXPECT_TRUE(r.left == Control(kPitchWheel)->GetRect().left && r.right - r.left == w);
  const double values[] = {0.0, 0.5, 1.0, 0.25};
  const uint32_t frames[] = {1, 11, 20, 6};
  for (int i = 0; i < 4; ++i) {
    wheel->SetValueFromPlug(values[i]);
    canvas.Draw(&r);
    EXPECT_EQ(Pixel(canvas.GetBackBuffer(), CentreX(r), CentreY(r)), 0xFF000000u | frames[i]);
  }
}

TEST_F(EditorTest, KeysAndStepButtonsTakeADoubleClickAsAPressWithCapture) {
  // A click, then a double-click let go elsewhere (over another key for the key).
  auto clickTwice = [this](int idx, int releaseDx) {
    const IRectangle r = Control(idx)->GetRect();
    IMouseKeys keys{true, false, false, false, false};
    Click(idx);
    EXPECT_TRUE(gui->OnMouseDoubleClick(CentreX(r), CentreY(r), &keys));
    EXPECT_EQ(Control(idx)->GetValue(), 1.0);
    gui->OnMouseUp(CentreX(r) + releaseDx, CentreY(r), &keys);
    EXPECT_EQ(Control(idx)->GetValue(), 0.0);
    EXPECT_EQ(gui->OpenGestureParam(), -1);
  };
  clickTwice(kFirstKey + 4, 200);  // note 40
  // Press, release, press, release: two note-ons, each followed by its note-off.
  const IMidiEventQueue& queue = synth->MidiQueue();
  ASSERT_EQ(queue.Count(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(queue.At(i)->status == (i % 2 ? 0x80 : 0x90) && queue.At(i)->data1 == 40) << i;
  clickTwice(155, 0);  // the forward step button steps once per press
  EXPECT_EQ(synth->CurrentPreset(), 2.0);
  EXPECT_EQ(Record(EngineParam::PresetForward), 0.0);
}

TEST_F(EditorTest, MidiHostAndSelectorChangesReachTheControlsOnlyAtTheTickAndOnlyOnChange) {
  DrawAll();
  for (int note : {48, 52, 55}) {
    const IMidiMessage on(0, 0x90, static_cast<uint8_t>(note), 100);
    synth->ReceiveMidiMessage(&on);
  }
  std::vector<double> out(64, 0.0);
  double* buffers[2] = {out.data(), out.data()};
  synth->ProcessBlock(buffers, buffers, 64);
  Set(EngineParam::FXSlot1Selector, 4.0);  // the tube panel
  // Nothing the window draws is touched before the tick.
  EXPECT_EQ(Control(kFirstKey + 12)->GetValue(), 0.0);
  EXPECT_STREQ(LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : No Effect");
  EXPECT_TRUE(Control(5)->IsHidden());
  const IRectangle dirty = Tick();
  for (int note : {48, 52, 55, 49})
    EXPECT_EQ(Control(kFirstKey + note - 36)->GetValue(), note == 49 ? 0.0 : 1.0) << note;
  EXPECT_STREQ(LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Tube Dist");
  EXPECT_FALSE(Control(5)->IsHidden());
  EXPECT_EQ(dirty.left, 50 * InstrumentEditor::Scale());  // the bay and the label
  // Clicking a key lit by MIDI releases it.
  Click(kFirstKey + 12);
  const IMidiEventQueue& queue = synth->MidiQueue();
  ASSERT_GT(queue.Count(), 0);
  EXPECT_TRUE(queue.At(queue.Count() - 1)->status == 0x80 &&
              queue.At(queue.Count() - 1)->data1 == 48);
  DrawAll();
  EXPECT_EQ(Control(kFirstKey + 12)->GetValue(), 0.0);
  // Other changes leave the panels alone: only the knob that moved is drawn again.
  Set(EngineParam::MainVolume, 0.3);
  synth->PushParamToGui(EngineParam::MainVolume, 0.3, false);
  Set(EngineParam::FXSlot1Selector, 4.0);
  EXPECT_TRUE(SameRect(Tick(), Control(kVolume)->GetRect()));
}

// A documents folder of its own for each test, holding the preset library folder.
class FileSelectorTest : public EditorTest {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("tovalune-editor-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder / "VornAudio/Tovalune/Presets");
    OverrideCommonDocumentsFolder(folder.string().c_str());
    EditorTest::SetUp();
  }
  void TearDown() override {
    synth.reset();
    OverrideCommonDocumentsFolder(nullptr);
    std::filesystem::remove_all(folder);
  }
  // Clicks a file selector whose dialog answers path ("" cancels).
  void ChooseFile(int selector, const std::filesystem::path& path) {
    gui->fileAnswer = path.string();
    Click(selector);
  }

  std::filesystem::path folder;
};

TEST_F(FileSelectorTest, LoadAndSaveActOnlyOnTheFileChosen) {
  const std::filesystem::path file = folder / "My Sound.tovalunepreset";
  std::string library = (folder / "VornAudio/Tovalune/Presets").string();
  std::replace(library.begin(), library.end(), '/', '\\');  // as the system writes folders
  EXPECT_EQ(library, view->FileSelector(PresetFileSelector::kSave)->GetFolder());
  Set(EngineParam::MainVolume, 0.25);
  ChooseFile(kSaveSelector, file);
  ASSERT_TRUE(std::filesystem::exists(file));
  Tick();
  EXPECT_STREQ(LabelText(EditorLabel::kPresetName), "My Sound");

  Set(EngineParam::MainVolume, 0.75);
  ChooseFile(kLoadSelector, "");  // cancelled: nothing is read
  EXPECT_EQ(Record(EngineParam::MainVolume), 0.75);
  ChooseFile(kLoadSelector, file);
  EXPECT_EQ(Record(EngineParam::MainVolume), 0.25);

  // A restore flips neither selector's file into action.
  std::filesystem::remove(file);
  HeapBuffer state;
  ASSERT_TRUE(synth->SerializeState(&state));
  ChooseFile(kSaveSelector, "");
  EXPECT_GE(synth->UnserializeState(&state, 0), 0);
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
