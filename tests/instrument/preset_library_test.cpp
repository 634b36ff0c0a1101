// The factory library: file names, the preset menu's selector and the step buttons.
#include <cctype>

#include "instrument/common_documents.h"
#include "instrument/preset_file.h"
#include "instrument/preset_library.h"
#include "instrument_fixture.h"

using namespace EngineParam;

namespace {

class PresetLibraryTest : public InstrumentTest {
 protected:
  // Writes library preset n with MainVolume set to volume.
  void MakeLibraryPreset(int n, double volume) {
    WriteText(documents.LibraryFile(n),
              "<MainVolume>" + PresetFile::FormatNumber(volume) + "</MainVolume>");
  }
  std::string LoadSelection() { return synth->Editor().SelectedFile(PresetFileSelector::kLoad); }

  TemporaryDocuments documents;
};

std::string Library(const std::string& rest) {
  return "D:/Docs/VornAudio/Tovalune/Presets/" + rest;
}

}  // namespace

TEST(PresetLibraryPaths, NumbersNameFilesInTheirFolders) {
  EXPECT_EQ(PresetLibrary::PresetPath("D:/Docs", 34),
            Library("Factory/KEYS - 8-bit Stories A (MW).tovalunepreset"));
  EXPECT_EQ(PresetLibrary::PresetPath("D:/Docs", 155),
            Library("Factory/SFX - Windy Shore (MW).tovalunepreset"));
  EXPECT_EQ(PresetLibrary::PresetPath("D:/Docs", 156),
            Library("GlassTidesExpansion/ACST - Steel Drums A.tovalunepreset"));
  EXPECT_EQ(PresetLibrary::PresetPath("D:/Docs", 33),
            Library("Factory/ARP - Vanishing Signals....tovalunepreset"));
  EXPECT_EQ(PresetLibrary::PresetPath("D:/Docs", 0), Library(""));
  EXPECT_EQ(PresetLibrary::PresetPath("D:/Docs", 220), Library(""));
  EXPECT_EQ(PresetLibrary::PresetPath("", 1), "");
  EXPECT_STREQ(PresetLibrary::PresetName(1), "WLCM - Fashionably Late (MW)");
  EXPECT_STREQ(PresetLibrary::PresetName(127), "ACST - Voilin");
  EXPECT_STREQ(PresetLibrary::PresetName(216), "PAD - Rise, Krispies ! (MW)");
  EXPECT_STREQ(PresetLibrary::PresetName(219), "PAD - Vintage Overtones");
  EXPECT_EQ(PresetLibrary::PresetName(220), nullptr);
}

TEST(PresetLibraryPaths, CategoriesFillTheirNumberRangesInOrder) {
  const struct {
    const char* code;
    const char* folder;
    int first;
    int last;
  } categories[] = {
      {"WLCM", "Factory", 1, 1},
      {"BASS", "Factory", 2, 12},
      {"ARP", "Factory", 13, 33},
      {"KEYS", "Factory", 34, 68},
      {"LEAD", "Factory", 69, 107},
      {"ACST", "Factory", 108, 127},
      {"PAD", "Factory", 128, 144},
      {"PERC", "Factory", 145, 151},
      {"SFX", "Factory", 152, 155},
      {"ACST", "GlassTidesExpansion", 156, 157},
      {"ARP", "GlassTidesExpansion", 158, 160},
      {"BASS", "GlassTidesExpansion", 161, 166},
      {"KEYS", "GlassTidesExpansion", 167, 189},
      {"LEAD", "GlassTidesExpansion", 190, 203},
      {"PAD", "GlassTidesExpansion", 204, 219},
  };
  auto lower = [](std::string text) {
    for (char& c : text)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  int next = 1;
  for (const auto& category : categories) {
    ASSERT_EQ(category.first, next);
    for (int n = category.first; n <= category.last; ++n) {
      EXPECT_EQ(
          std::string(PresetLibrary::PresetName(n)).rfind(std::string(category.code) + " - ", 0),
          0u)
          << n;
      EXPECT_STREQ(PresetLibrary::PresetFolder(n), category.folder) << n;
      // Titles are listed alphabetically within their category.
      if (n > category.first) {
        EXPECT_LT(lower(PresetLibrary::PresetName(n - 1)), lower(PresetLibrary::PresetName(n)))
            << n;
      }
    }
    next = category.last + 1;
  }
  EXPECT_EQ(next, 220);
  EXPECT_EQ(PresetLibrary::PresetName(0), nullptr);
  EXPECT_EQ(PresetLibrary::PresetFolder(220), nullptr);
}

TEST(PresetLibraryPaths, SelectorValuesRoundToPresetNumbers) {
  EXPECT_EQ(PresetLibrary::PresetNumber(219.4), 219);
  EXPECT_EQ(PresetLibrary::PresetNumber(219.5), 220);
  EXPECT_EQ(PresetLibrary::PresetNumber(0.5), 1);
  EXPECT_EQ(PresetLibrary::PresetNumber(-1.0), 0);
  EXPECT_EQ(PresetLibrary::PresetNumber(1e300), 0);
}

TEST(CommonDocuments, UsesForwardSlashesWithoutATrailingOne) {
  OverrideCommonDocumentsFolder("C:\\Users\\Public\\Documents");
  EXPECT_EQ(CommonDocumentsFolder(), "C:/Users/Public/Documents");
  OverrideCommonDocumentsFolder(nullptr);
  EXPECT_EQ(CommonDocumentsFolder().find('\\'), std::string::npos);
}

TEST_F(PresetLibraryTest, ThePresetMenuLoadsByNumberAndReturnsToRest) {
  MakeLibraryPreset(12, 0.25);
  NoteOn(60);
  Render();
  Set(PresetSelector, 12);
  EXPECT_EQ(Record(MainVolume), 0.25);
  EXPECT_EQ(Record(PresetSelector), 0.0);
  EXPECT_EQ(EngineValue(PresetSelector), 0.0);
  EXPECT_EQ(synth->CurrentPreset(), 12.0);
  EXPECT_EQ(LoadSelection(), documents.LibraryFile(12).generic_string());
  EXPECT_STREQ(synth->Editor().LabelText(EditorLabel::kPresetName), "BASS - The Night Flier");
  Render();
  EXPECT_EQ(Gate(0), 0.0);
}

TEST_F(PresetLibraryTest, StepButtonsMoveFromTheRememberedNumber) {
  MakeLibraryPreset(1, 0.1);
  MakeLibraryPreset(6, 0.6);
  Set(PresetForward, 1.0);
  EXPECT_EQ(Record(MainVolume), static_cast<double>(0.1f));
  EXPECT_EQ(synth->CurrentPreset(), 1.0);
  Set(PresetForward, 0.0);
  EXPECT_EQ(synth->CurrentPreset(), 1.0);

  Set(PresetSelector, 5);  // no such file: nothing loads, 5 is remembered
  EXPECT_EQ(synth->CurrentPreset(), 5.0);
  Set(PresetForward, 1.0);
  EXPECT_EQ(Record(MainVolume), static_cast<double>(0.6f));
  EXPECT_EQ(synth->CurrentPreset(), 6.0);
  EXPECT_EQ(Record(PresetSelector), 0.0);
}

TEST_F(PresetLibraryTest, SteppingPastTheEndsIsAllowed) {
  MakeLibraryPreset(219, 0.5);
  Set(PresetSelector, 219);
  Set(PresetForward, 1.0);
  EXPECT_EQ(synth->CurrentPreset(), 220.0);
  Set(MainVolume, 0.8);
  Set(PresetBackward, 1.0);
  EXPECT_EQ(synth->CurrentPreset(), 219.0);
  EXPECT_EQ(Record(MainVolume), 0.5);

  Set(PresetSelector, 10000);
  Set(PresetForward, 1.0);
  EXPECT_EQ(synth->CurrentPreset(), 10000.0);
}

TEST_F(PresetLibraryTest, ANewInstanceStepsBackToNothing) {
  MakeLibraryPreset(1, 0.1);
  Set(PresetBackward, 1.0);
  EXPECT_EQ(synth->CurrentPreset(), -1.0);
  EXPECT_EQ(Record(MainVolume), 0.8);
  Set(PresetBackward, 1.0);
  EXPECT_EQ(synth->CurrentPreset(), -1.0);
  Set(PresetForward, 1.0);
  EXPECT_EQ(synth->CurrentPreset(), 0.0);
  Set(PresetForward, 1.0);
  EXPECT_EQ(Record(MainVolume), static_cast<double>(0.1f));
}

TEST_F(PresetLibraryTest, AnUnknownDocumentsFolderLoadsNothing) {
  MakeLibraryPreset(3, 0.3);
  OverrideCommonDocumentsFolder("");
  Set(PresetSelector, 3);
  EXPECT_EQ(LoadSelection(), "");
  EXPECT_EQ(Record(MainVolume), 0.8);
  EXPECT_EQ(synth->CurrentPreset(), 3.0);
}
