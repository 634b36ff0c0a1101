// The editor's controls at work: the pitch wheel, the on-screen keys and step buttons, the
// preset file selectors, and values, labels and panels arriving from other threads.
#include <filesystem>
#include <random>
#include <vector>

#include "editor_fixture.h"
#include "instrument/common_documents.h"
#include "instrument/editor/pitch_wheel.h"
#include "instrument/editor/preset_selector.h"
#include "raster/bitmap.h"
#include "raster/blend.h"

namespace {

using Edit = TestBinding::HostEdit;
constexpr int kPitchWheel = 11;
constexpr int kModWheel = 12;
constexpr int kFirstKey = 13;  // note 36
constexpr int kPresetForward = 155;
constexpr int kLoadSelector = 158;
constexpr int kSaveSelector = 159;

IMouseKeys Left() {
  return IMouseKeys{true, false, false, false, false};
}

// Drags control idx from its centre by dy pixels and lets go.
void Drag(IGraphics* gui, const IRectangle& r, int dy) {
  IMouseKeys keys = Left();
  gui->OnMouseDown(CentreX(r), CentreY(r), &keys);
  gui->OnMouseDrag(CentreX(r), CentreY(r) + dy, &keys);
  gui->OnMouseUp(CentreX(r), CentreY(r) + dy, &keys);
}

TEST_F(EditorTest, PitchWheelSpringsBackToTheCentreWithOneClosedGesture) {
  synth->hostEdits.clear();
  Drag(gui, Control(kPitchWheel)->GetRect(), -10);  // up by an eighth of its height
  const auto& edits = synth->hostEdits;
  ASSERT_EQ(edits.size(), 4u);
  EXPECT_EQ(edits[0].kind, Edit::kBegin);
  EXPECT_EQ(edits[1].kind, Edit::kPerform);
  EXPECT_DOUBLE_EQ(edits[1].normalized, 0.5 + 10.0 / 80.0 / 4.0);
  EXPECT_EQ(edits[2].kind, Edit::kPerform);
  EXPECT_EQ(edits[2].normalized, 0.5);
  EXPECT_EQ(edits[3].kind, Edit::kEnd);
  for (const Edit& edit : edits)
    EXPECT_EQ(edit.idx, EngineParam::PitchBend);
  EXPECT_EQ(Record(EngineParam::PitchBend), 0.0);
  EXPECT_EQ(Control(kPitchWheel)->GetValue(), 0.5);

  // The mod wheel beside it stays where it is let go.
  Drag(gui, Control(kModWheel)->GetRect(), -40);
  EXPECT_DOUBLE_EQ(Record(EngineParam::ModWheel), 40.0 / 80.0 / 4.0);
}

TEST_F(EditorTest, PitchWheelShowsFrames1To20AcrossItsRange) {
  // A strip whose frame k is the solid pixel 0xFF0000kk shows which frame is drawn.
  const int frameWidth = 70 * InstrumentEditor::Scale();
  const int frameHeight = 80 * InstrumentEditor::Scale();
  Raster_MemBitmap numbered(frameWidth, frameHeight * 20);
  for (int k = 0; k < 20; ++k)
    Raster_FillArea(&numbered, 0, k * frameHeight, frameWidth, frameHeight, 0xFF000000u | (k + 1),
                    1.0f, BlendCopy);
  NativeEditorGraphics canvas(synth.get(), gui->Width(), gui->Height(), "");
  canvas.PrepareBackBuffer();
  auto* wheel = new IKnobMultiControl_pitchbendwheel(
      synth.get(), IBitmapStrip{&numbered, frameWidth, frameHeight * 20, 20, false}, 4.0);
  canvas.AddControl(wheel);
  const IRectangle r = wheel->GetRect();
  EXPECT_TRUE(r.left == Control(kPitchWheel)->GetRect().left && r.right - r.left == frameWidth);
  const struct {
    double value;
    uint32_t frame;
  } cases[] = {{0.0, 1}, {0.5, 11}, {1.0, 20}, {0.25, 6}};
  for (const auto& c : cases) {
    wheel->SetValueFromPlug(c.value);
    canvas.Draw(&r);
    Raster_IBitmap* back = canvas.GetBackBuffer();
    EXPECT_EQ(back->Bits()[CentreY(r) * back->RowSpan() + CentreX(r)], 0xFF000000u | c.frame)
        << c.value;
  }
}

TEST_F(EditorTest, KeysAndStepButtonsTakeADoubleClickAsAPressWithCapture) {
  const IRectangle key = Control(kFirstKey + 4)->GetRect();  // note 40
  IMouseKeys keys = Left();
  gui->OnMouseDown(CentreX(key), CentreY(key), &keys);
  gui->OnMouseUp(CentreX(key), CentreY(key), &keys);
  EXPECT_TRUE(gui->OnMouseDoubleClick(CentreX(key), CentreY(key), &keys));
  EXPECT_EQ(Record(EngineParam::Key040A), 1.0);
  gui->OnMouseUp(CentreX(key) + 200, CentreY(key), &keys);  // released over another key
  EXPECT_EQ(Record(EngineParam::Key040A), 0.0);
  EXPECT_EQ(gui->OpenGestureParam(), -1);
  // Press, release, press, release: two note-ons, each followed by its note-off.
  const IMidiEventQueue& queue = synth->MidiQueue();
  ASSERT_EQ(queue.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(queue.At(i)->status, i % 2 == 0 ? 0x90 : 0x80);
    EXPECT_EQ(queue.At(i)->data1, 40);
  }

  // The forward step button steps once per press, the double-click's included.
  const IRectangle step = Control(kPresetForward)->GetRect();
  gui->OnMouseDown(CentreX(step), CentreY(step), &keys);
  gui->OnMouseUp(CentreX(step), CentreY(step), &keys);
  EXPECT_TRUE(gui->OnMouseDoubleClick(CentreX(step), CentreY(step), &keys));
  gui->OnMouseUp(CentreX(step), CentreY(step), &keys);
  EXPECT_EQ(synth->CurrentPreset(), 2.0);
  EXPECT_EQ(Record(EngineParam::PresetForward), 0.0);
}

TEST_F(EditorTest, HostAndMidiChangesReachTheControlsAtTheTick) {
  // A chord played by MIDI lights its keys; host automation moves a knob.
  for (int note : {48, 52, 55}) {
    const IMidiMessage on(0, 0x90, static_cast<uint8_t>(note), 100);
    synth->ReceiveMidiMessage(&on);
  }
  std::vector<double> out(64, 0.0);
  double* buffers[2] = {out.data(), out.data()};
  synth->ProcessBlock(buffers, buffers, 64);
  synth->GetParam(EngineParam::MainVolume)->SetClamped(0.25);
  synth->PushParamToGui(EngineParam::MainVolume, 0.25, false);
  EXPECT_EQ(Control(kFirstKey + 12)->GetValue(), 0.0);  // nothing before the tick
  Tick();
  for (int note : {48, 52, 55})
    EXPECT_EQ(Control(kFirstKey + note - 36)->GetValue(), 1.0) << note;
  EXPECT_EQ(Control(kFirstKey + 13)->GetValue(), 0.0);
  EXPECT_EQ(Control(93)->GetValue(), 0.25);
}

TEST_F(EditorTest, AutomatedSelectorsChangeLabelsAndPanelsOnlyThroughTheTick) {
  DrawAll();
  const ITextControl* label = view->LabelControl(EditorLabel::kFxSlot1);
  const char* before = label->GetText();
  Set(EngineParam::FXSlot1Selector, 4.0);  // the tube panel
  EXPECT_EQ(label->GetText(), before);     // the window's text is not touched
  EXPECT_TRUE(Control(5)->IsHidden());
  const IRectangle dirty = Tick();
  EXPECT_STREQ(label->GetText(), "FX Slot 1 : Tube Dist");
  EXPECT_FALSE(Control(5)->IsHidden());
  EXPECT_EQ(dirty.left, 50);  // the bay and the label
  DrawAll();

  // Other changes leave the panels alone: only the knob that moved is drawn again.
  Set(EngineParam::MainVolume, 0.3);
  synth->PushParamToGui(EngineParam::MainVolume, 0.3, false);
  Set(EngineParam::FXSlot1Selector, 4.0);
  const IRectangle knob = Tick();
  const IRectangle& volume = Control(93)->GetRect();
  EXPECT_TRUE(knob.left == volume.left && knob.top == volume.top && knob.right == volume.right &&
              knob.bottom == volume.bottom);
}

// A documents folder of its own for each test, holding the preset library folder.
class FileSelectorTest : public EditorTest {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("tovalune-editor-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    OverrideCommonDocumentsFolder(folder.string().c_str());
    EditorTest::SetUp();
  }
  void TearDown() override {
    EditorTest::TearDown();
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

TEST_F(FileSelectorTest, LoadAndSaveActOnlyOnTheFileTheDialogGave) {
  const std::filesystem::path file = folder / "My Sound.tovalunepreset";
  Set(EngineParam::MainVolume, 0.25);
  ChooseFile(kSaveSelector, file);
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(gui->lastFileAction, IFileSelectorControl::kSave);
  const std::string presets = (folder / "VornAudio/Tovalune/Presets").string();
  std::string expectedFolder = presets;
  for (char& c : expectedFolder)
    c = c == '/' ? '\\' : c;
  EXPECT_EQ(gui->lastFileFolder, expectedFolder);
  Tick();
  EXPECT_STREQ(LabelText(EditorLabel::kPresetName), "My Sound");

  Set(EngineParam::MainVolume, 0.75);
  ChooseFile(kLoadSelector, "");  // cancelled: nothing is read
  EXPECT_EQ(Record(EngineParam::MainVolume), 0.75);
  EXPECT_TRUE(Control(kLoadSelector)->IsDirty());
  ChooseFile(kLoadSelector, file);
  EXPECT_EQ(gui->lastFileAction, IFileSelectorControl::kOpen);
  EXPECT_EQ(Record(EngineParam::MainVolume), 0.25);
  Tick();
  EXPECT_EQ(Control(93)->GetValue(), 0.25);

  // A restore flips neither selector's file into action.
  std::filesystem::remove(file);
  HeapBuffer state;
  ASSERT_TRUE(synth->SerializeState(&state));
  ChooseFile(kSaveSelector, "");
  EXPECT_GE(synth->UnserializeState(&state, 0), 0);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Record(EngineParam::MainVolume), 0.25);
}

TEST_F(FileSelectorTest, PresetMenuLoadsTheLibraryFileWithoutTellingTheHost) {
  const std::filesystem::path library = folder / "VornAudio/Tovalune/Presets/Factory";
  std::filesystem::create_directories(library);
  Set(EngineParam::MainVolume, 0.2);
  ChooseFile(kSaveSelector, library / "BASS - Bouncing Sine (MW).tovalunepreset");
  Set(EngineParam::MainVolume, 0.9);
  const size_t editsBefore = synth->hostEdits.size();
  auto* presets = dynamic_cast<IPopupMenu_PresetSelector*>(Control(162));
  AnswerMenu(&presets->Submenu(0), 0);
  Click(162);
  EXPECT_EQ(Record(EngineParam::MainVolume), 0.2f);
  EXPECT_EQ(synth->CurrentPreset(), 2.0);
  EXPECT_EQ(synth->hostEdits.size(), editsBefore);
  Tick();
  EXPECT_STREQ(LabelText(EditorLabel::kPresetName), "BASS - Bouncing Sine (MW)");
}

}  // namespace
