// Open and save dialogs driven by a helper thread that reads the folder they show, fills in a
// name and presses OK or Cancel, and the clipboard's round trip.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "editor_fixture.h"

namespace {

std::wstring Wide(const char* utf8) {
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, MAX_PATH);
  return wide;
}

// Case-blind, trailing backslashes aside.
bool SameFolder(std::wstring a, std::wstring b) {
  for (std::wstring* s : {&a, &b}) {
    while (!s->empty() && s->back() == L'\\')
      s->pop_back();
  }
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

class Dialogs : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_NE(Open(), nullptr);
  }
  // Runs a file dialog that a helper answers with button after typing name (when given); the
  // folder the dialog showed.
  std::wstring Prompt(HeapString* file, HeapString* where, IFileSelectorControl::Action mode,
                      int button, const wchar_t* name = nullptr) {
    std::wstring shown;
    DialogDriver driver(button, [&](HWND dialog) {
      shown = FileDialogFolder(dialog);
      if (name) SetFileDialogName(dialog, name);
    });
    gui->PromptForFile(file, mode, where, "tovalunepreset other");
    EXPECT_TRUE(driver.Pressed());
    return shown;
  }
  void TearDown() override {
    EditorTest::TearDown();
    std::filesystem::remove_all(folder);
  }
  const std::string folder = (std::filesystem::temp_directory_path() /
                              ("tovalune_dialogs_" + std::to_string(GetCurrentProcessId())))
                                 .string();
};

TEST_F(Dialogs, OpenAndSaveDialogsStartInTheGivenFolderAndReturnTheChoice) {
  std::filesystem::create_directories(folder);
  const std::string existing = folder + "\\preset.tovalunepreset";
  std::ofstream(existing) << 'x';
  std::string slashed = folder;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  HeapString file;
  HeapString where(slashed.c_str());
  const std::wstring shown =
      Prompt(&file, &where, IFileSelectorControl::kOpen, IDOK, L"preset.tovalunepreset");
  EXPECT_TRUE(SameFolder(shown, Wide(folder.c_str())));
  EXPECT_TRUE(SameFolder(Wide(file.Get()), Wide(existing.c_str()))) << file.Get();
  EXPECT_EQ(std::string(where.Get()), folder + "\\");
  Prompt(&file, &where, IFileSelectorControl::kOpen, IDCANCEL);
  EXPECT_STREQ(file.Get(), "");

  // A typed name gets the first extension.
  Prompt(&file, &where, IFileSelectorControl::kSave, IDOK, L"mine");
  EXPECT_EQ(std::string(file.Get()), folder + "\\mine.tovalunepreset");

  // A closed editor opens no dialog.
  gui->CloseWindow();
  HeapString kept("kept?");
  gui->PromptForFile(&kept, IFileSelectorControl::kOpen, &where, "tovalunepreset");
  EXPECT_STREQ(kept.Get(), "");
}

TEST_F(Dialogs, TheClipboardSpeaksUtf8) {
  ASSERT_TRUE(SetClipboardText(L"Tovalune \u2013 1.5 \u266A"));
  HeapString read("stale");
  ASSERT_TRUE(gui->GetClipboardText(&read));
  EXPECT_STREQ(read.Get(), "Tovalune \xE2\x80\x93 1.5 \xE2\x99\xAA");
  ASSERT_TRUE(SetClipboardText(nullptr));  // empty
  EXPECT_FALSE(gui->GetClipboardText(&read));
  EXPECT_STREQ(read.Get(), "");
}
