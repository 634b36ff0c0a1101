// State restores: the sound comes back, momentary parameters never act.
#include <cstring>

#include "instrument/preset_file.h"
#include "instrument_fixture.h"

using namespace EngineParam;

namespace {

// The current state with some parameters changed.
HeapBuffer StateWith(Tovalune& synth, std::initializer_list<std::pair<int, double>> changes) {
  HeapBuffer chunk;
  synth.SerializeState(&chunk);
  for (const auto& change : changes) {
    const double value = change.second;
    std::memcpy(chunk.Bytes() + 8 * change.first, &value, sizeof(value));
  }
  return chunk;
}

}  // namespace

TEST_F(InstrumentTest, RestoringLeavesNoOnScreenKeySounding) {
  HeapBuffer chunk = StateWith(*synth, {{Key050A, 1.0}, {MainVolume, 0.4}});
  ASSERT_EQ(synth->UnserializeState(&chunk, 0), 8 * kCount);
  Render();
  EXPECT_EQ(EngineValue(MainVolume), 0.4);
  EXPECT_EQ(Record(Key050A), 0.0);
  EXPECT_EQ(EngineValue(Key050A), 0.0);
  EXPECT_EQ(Gate(0), 0.0);
  RecordingEditor::Push push{};
  ASSERT_TRUE(gui->LastPush(Key050A, &push));
  EXPECT_EQ(push.value, 0.0);
}

TEST_F(InstrumentTest, RestoringNeverStepsOrLoadsALibraryPreset) {
  TemporaryDocuments documents;
  double values[kCount] = {};
  for (int i = 0; i < kCount; ++i)
    values[i] = Record(i);
  values[MainVolume] = 0.1;
  WriteText(documents.LibraryFile(1), PresetFile::Format(values));
  WriteText(documents.LibraryFile(12), PresetFile::Format(values));

  HeapBuffer chunk = StateWith(*synth, {{PresetForward, 1.0}, {PresetSelector, 12.0}});
  synth->UnserializeState(&chunk, 0);
  EXPECT_EQ(Record(MainVolume), 0.8);
  EXPECT_EQ(Record(PresetForward), 0.0);
  EXPECT_EQ(Record(PresetSelector), 0.0);
  EXPECT_EQ(synth->CurrentPreset(), 0.0);
}

TEST_F(InstrumentTest, RestoringNeverReadsOrWritesPresetFiles) {
  TemporaryDocuments documents;
  const std::filesystem::path saved = documents.Path() / "Mine.tovalunepreset";
  const std::filesystem::path loaded = documents.Path() / "Other.tovalunepreset";
  WriteText(saved, "untouched");
  WriteText(loaded, "<MainVolume>0.2</MainVolume>");
  synth->Editor().SetSelectedFile(PresetFileSelector::kSave, saved.string());
  synth->Editor().SetSelectedFile(PresetFileSelector::kLoad, loaded.string());

  HeapBuffer chunk = StateWith(*synth, {{PresetLoad, 1.0}, {PresetSave, 1.0}, {MainVolume, 0.6}});
  synth->UnserializeState(&chunk, 0);
  EXPECT_EQ(ReadText(saved), "untouched");
  EXPECT_EQ(Record(MainVolume), 0.6);
  // Nor does a host setting the two parameters.
  Set(PresetLoad, 0.0);
  Set(PresetSave, 0.0);
  EXPECT_EQ(ReadText(saved), "untouched");
  EXPECT_EQ(Record(MainVolume), 0.6);
}

TEST_F(InstrumentTest, LoadingThePresetSlotRestoresTheInitSound) {
  Set(MainVolume, 0.2);
  ASSERT_TRUE(synth->LoadPresetSlot(0));
  EXPECT_EQ(Record(MainVolume), 0.8);
  EXPECT_EQ(EngineValue(MainVolume), 0.8);
}

TEST_F(InstrumentTest, ARefusedStateChangesNothing) {
  Set(Key050A, 1.0);
  Render();
  ASSERT_EQ(Gate(0), 1.0);
  HeapBuffer chunk = StateWith(*synth, {});
  chunk.Resize(chunk.Size() - 8, true);
  EXPECT_EQ(synth->UnserializeState(&chunk, 0), -1);
  EXPECT_EQ(Record(Key050A), 1.0);
  EXPECT_EQ(EngineValue(Key050A), 1.0);
  Set(Key050A, 0.0);
  Render();
  EXPECT_EQ(Gate(0), 0.0);
}

TEST_F(InstrumentTest, ARestoreLeavesTheUsersPendingLoadToItsSelector) {
  TemporaryDocuments documents;
  const std::filesystem::path file = documents.Path() / "Chosen.tovalunepreset";
  WriteText(file, "<MainVolume>0.2</MainVolume>");
  synth->Editor().CompleteFileDialog(PresetFileSelector::kLoad, file.string());
  HeapBuffer chunk = StateWith(*synth, {{PresetLoad, 1.0}, {MainVolume, 0.6}});
  synth->UnserializeState(&chunk, 0);
  EXPECT_EQ(Record(MainVolume), 0.6);
  SetFromEditor(PresetLoad, 0.0);
  EXPECT_EQ(Record(MainVolume), static_cast<double>(0.2f));
}
