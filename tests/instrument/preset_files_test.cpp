// Saving and loading preset files through the editor's file selectors.
#include <cmath>
#include <iterator>

#include "instrument/preset_file.h"
#include "instrument_fixture.h"

using namespace EngineParam;

namespace {

class PresetFileTest : public InstrumentTest {
 protected:
  // The user picks a file in a selector's dialog (which names it in UTF-8), and the selector
  // reports its change.
  void UserSaves(const std::filesystem::path& path) {
    synth->Editor().CompleteFileDialog(PresetFileSelector::kSave, path.u8string());
    SetFromEditor(PresetSave, 1.0 - Record(PresetSave));
  }
  void UserLoads(const std::filesystem::path& path) {
    synth->Editor().CompleteFileDialog(PresetFileSelector::kLoad, path.u8string());
    SetFromEditor(PresetLoad, 1.0 - Record(PresetLoad));
  }
  const char* PresetLabel() { return synth->Editor().LabelText(EditorLabel::kPresetName); }
  // Entries of the documents folder named like a save's temporary.
  int Temporaries() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(documents.Path()))
      count += entry.path().extension() == ".saving";
    return count;
  }

  TemporaryDocuments documents;
};

}  // namespace

TEST_F(PresetFileTest, SavingWritesTheSoundAndNamesThePreset) {
  Set(Osc1Pitch, 0.1234567);
  Set(FXSlot1Selector, 5);
  const std::filesystem::path file = documents.Path() / "My Sound.tovalunepreset";
  UserSaves(file);
  double values[kCount];
  for (int i = 0; i < kCount; ++i)
    values[i] = Record(i);
  EXPECT_EQ(ReadText(file), PresetFile::Format(values));
  EXPECT_STREQ(PresetLabel(), "My Sound");
  EXPECT_EQ(Temporaries(), 0);
}

TEST_F(PresetFileTest, SavingReplacesAnOlderFileWhateverAnEarlierSaveLeft) {
  const std::filesystem::path file = documents.Path() / "Old.tovalunepreset";
  WriteText(file, std::string(10000, 'x'));
  // Leftovers of an interrupted save: a folder and a file named like its temporary.
  std::filesystem::create_directory(file.string() + ".saving");
  WriteText(file.string() + ".0.saving", "stale");
  for (int save = 0; save < 2; ++save) {
    UserSaves(file);
    EXPECT_EQ(ReadText(file).substr(0, 9), "<Company>");
    EXPECT_STREQ(PresetLabel(), "Old");
  }
  EXPECT_EQ(Temporaries(), 2);
}

TEST_F(PresetFileTest, AFailedSaveKeepsTheOldFileAndLabel) {
  const std::filesystem::path missingFolder = documents.Path() / "nowhere" / "A.tovalunepreset";
  UserSaves(missingFolder);
  EXPECT_FALSE(std::filesystem::exists(missingFolder));
  EXPECT_STREQ(PresetLabel(), "< Presets Library >");

  // A target that cannot be replaced (a folder of that name) stays as it was.
  const std::filesystem::path blocked = documents.Path() / "Blocked.tovalunepreset";
  std::filesystem::create_directory(blocked);
  WriteText(blocked / "inside", "kept");
  UserSaves(blocked);
  EXPECT_EQ(ReadText(blocked / "inside"), "kept");
  EXPECT_EQ(Temporaries(), 0);
  EXPECT_STREQ(PresetLabel(), "< Presets Library >");
}

TEST_F(PresetFileTest, ACancelledDialogWritesNothing) {
  synth->Editor().CompleteFileDialog(PresetFileSelector::kSave, "");
  SetFromEditor(PresetSave, 1.0);
  EXPECT_TRUE(std::filesystem::is_empty(documents.Path()));
}

TEST_F(PresetFileTest, ASavedSoundLoadsBackAtFileAndSinglePrecision) {
  Set(Osc1Pitch, 0.1234567);
  Set(MainVolume, 0.3);
  Set(FXSlot2Selector, 3);
  Set(GlobalTuning, 0.5);
  const std::filesystem::path file = documents.Path() / "Round.tovalunepreset";
  UserSaves(file);
  Set(Osc1Pitch, 0.9);
  Set(MainVolume, 0.9);
  Set(FXSlot2Selector, 1);
  Set(GlobalTuning, -0.5);
  UserLoads(file);
  EXPECT_EQ(Record(Osc1Pitch), static_cast<double>(0.123457f));
  EXPECT_EQ(EngineValue(Osc1Pitch), static_cast<double>(0.123457f));
  EXPECT_EQ(Record(MainVolume), static_cast<double>(0.3f));
  EXPECT_EQ(Record(FXSlot2Selector), 3.0);
  EXPECT_EQ(Record(GlobalTuning), -0.5);  // not part of a preset
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot2), "FX Slot 2 : Reverb");
  EXPECT_FALSE(synth->PanelHidden(7));
  EXPECT_STREQ(PresetLabel(), "Round");
  RecordingEditor::Push push{};
  ASSERT_TRUE(gui->LastPush(Osc1Pitch, &push));
  EXPECT_EQ(push.value, static_cast<double>(0.123457f));
  EXPECT_TRUE(push.normalized);
}

TEST_F(PresetFileTest, NamesBeyondAsciiAreSavedAndLoadedAsTheDialogGaveThem) {
  const char* name = "B\xC3\xA4sse \xE2\x82\xAC \xE3\x83\x99";  // Bässe € ベ
  const std::filesystem::path folder = documents.Path() / std::filesystem::u8path("Pr\xC3\xA9sets");
  const std::filesystem::path file =
      folder / std::filesystem::u8path(std::string(name) + ".tovalunepreset");
  std::filesystem::create_directory(folder);
  Set(Osc1Pitch, 0.25);
  UserSaves(file);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_STREQ(PresetLabel(), name);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
  Set(Osc1Pitch, 0.75);
  synth->Editor().ReplaceLabelText(EditorLabel::kPresetName, "");
  UserLoads(file);
  EXPECT_EQ(Record(Osc1Pitch), 0.25);
  EXPECT_STREQ(PresetLabel(), name);
}

TEST_F(PresetFileTest, LoadingClampsAndReportsNothingToTheHost) {
  const std::filesystem::path file = documents.Path() / "Clamp.tovalunepreset";
  WriteText(file, "<MainVolume>2</MainVolume><FXSlot1Selector>9</FXSlot1Selector>");
  synth->hostEdits.clear();
  synth->Editor().CompleteFileDialog(PresetFileSelector::kLoad, file.string());
  synth->GetParam(PresetLoad)->SetClamped(1.0);
  synth->ParamChanged(PresetLoad);
  EXPECT_EQ(Record(MainVolume), 1.0);
  EXPECT_EQ(Record(FXSlot1Selector), 7.0);
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : Bitcrusher");
  EXPECT_TRUE(synth->hostEdits.empty());
}

TEST_F(PresetFileTest, ADirectLoadReleasesTheVoicesFirst) {
  Set(VoiceModeMonoUniPoly, 1.0);
  NoteOn(60);
  NoteOn(64);
  Render();
  const std::filesystem::path file = documents.Path() / "Mono.tovalunepreset";
  WriteText(file, "<VoiceModeMonoUniPoly>0</VoiceModeMonoUniPoly>");
  UserLoads(file);
  Render();
  EXPECT_EQ(Record(VoiceModeMonoUniPoly), 0.0);
  for (int v = 0; v < 4; ++v)
    EXPECT_EQ(Gate(v), 0.0) << v;
}

TEST_F(PresetFileTest, UnusableFilesChangeNothing) {
  const std::string good = "<MainVolume>0.1</MainVolume>";
  const struct {
    const char* name;
    std::string text;
  } files[] = {
      {"EndsWithBreak", good + "\n"},
      {"Empty", ""},
      {"Huge", good + std::string(70 * 1024, ' ')},
      {"Binary", std::string("\x00\xff\x01<MainVolume>\x7f\x80", 17)},
      {"NoElements", "<Company>Vorn Audio</Company>"},
      {"NotANumber", "<MainVolume>nan</MainVolume>"},
  };
  for (const auto& file : files) {
    const std::filesystem::path path =
        documents.Path() / (std::string(file.name) + ".tovalunepreset");
    WriteText(path, file.text);
    UserLoads(path);
    EXPECT_EQ(Record(MainVolume), 0.8) << file.name;
    EXPECT_STREQ(PresetLabel(), "< Presets Library >") << file.name;
  }
  UserLoads(documents.Path() / "Missing.tovalunepreset");
  EXPECT_STREQ(PresetLabel(), "< Presets Library >");
}

TEST_F(PresetFileTest, SeveralLinesAreSearchedOnlyInTheLast) {
  const std::filesystem::path file = documents.Path() / "Lines.tovalunepreset";
  WriteText(file,
            "<MainVolume>0.1</MainVolume>\r\n<Osc2Level>0.2</Osc2Level>\r\n"
            "<Osc1Level>0.5</Osc1Level>");
  UserLoads(file);
  EXPECT_EQ(Record(MainVolume), 0.8);
  EXPECT_EQ(Record(Osc2Level), 1.0);
  EXPECT_EQ(Record(Osc1Level), 0.5);
  EXPECT_STREQ(PresetLabel(), "Lines");
}

TEST_F(PresetFileTest, ALongFileNameIsShortenedOnTheLabel) {
  const std::string longName(40, 'L');
  const std::filesystem::path file = documents.Path() / (longName + ".tovalunepreset");
  UserSaves(file);
  EXPECT_EQ(std::string(PresetLabel()), std::string(35, 'L') + "...");
}
