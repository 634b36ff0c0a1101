// Dialogs and services: open and save dialogs driven by a helper thread that reads the folder
// they show, fills in a name and presses OK or Cancel; the colour dialog, message boxes, web
// addresses, the clipboard and the folders.
#include <algorithm>

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
      shownName = FileDialogName(dialog);
      if (name) SetFileDialogName(dialog, name);
    });
    gui->PromptForFile(file, mode, where, "tovalunepreset other");
    EXPECT_TRUE(driver.Pressed());
    return shown;
  }
  std::wstring shownName;
  TempFolder folder{"tovalune_dialogs"};
};

TEST_F(Dialogs, OpenAndSaveDialogsStartInTheGivenFolderAndReturnTheChoice) {
  const std::string existing = folder.AddFile("preset.tovalunepreset");
  std::string slashed = folder.Path();
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  HeapString file;
  HeapString where(slashed.c_str());
  const std::wstring shown =
      Prompt(&file, &where, IFileSelectorControl::kOpen, IDOK, L"preset.tovalunepreset");
  EXPECT_TRUE(SameFolder(shown, Wide(folder.Path().c_str())));
  EXPECT_TRUE(SameFolder(Wide(file.Get()), Wide(existing.c_str()))) << file.Get();
  EXPECT_EQ(std::string(where.Get()), folder.Path() + "\\");
  Prompt(&file, &where, IFileSelectorControl::kOpen, IDCANCEL);
  EXPECT_EQ(shownName, L"preset.tovalunepreset");  // the file chosen before
  EXPECT_STREQ(file.Get(), "");

  // A typed name gets the first extension.
  Prompt(&file, &where, IFileSelectorControl::kSave, IDOK, L"mine");
  EXPECT_EQ(std::string(file.Get()), folder.Path() + "\\mine.tovalunepreset");

  // Without a folder the dialog starts on the desktop.
  HeapString desktop;
  gui->DesktopFolder(&desktop);
  HeapString old("old");
  HeapString nowhere;
  EXPECT_TRUE(SameFolder(Prompt(&old, &nowhere, IFileSelectorControl::kOpen, IDCANCEL),
                         Wide(desktop.Get())));
  EXPECT_STREQ(nowhere.Get(), desktop.Get());

  // A closed editor opens no dialog.
  gui->CloseWindow();
  HeapString kept("kept?");
  gui->PromptForFile(&kept, IFileSelectorControl::kOpen, &where, "tovalunepreset");
  EXPECT_STREQ(kept.Get(), "");
}

TEST_F(Dialogs, ColourDialogsMessageBoxesAndWebAddressesAskTheUserOverTheHost) {
  IColor colour = {77, 10, 120, 230};
  DialogDriver cancelled(IDCANCEL);
  EXPECT_FALSE(gui->PromptForColor(&colour, "Pick a colour"));
  EXPECT_EQ(cancelled.Title(), L"Pick a colour");
  DialogDriver confirmed(IDOK);
  EXPECT_TRUE(gui->PromptForColor(&colour, nullptr));
  EXPECT_TRUE(confirmed.Pressed());
  EXPECT_EQ(std::vector<int>({colour.alpha, colour.red, colour.green, colour.blue}),
            std::vector<int>({77, 10, 120, 230}));

  HWND owner = nullptr;
  DialogDriver no(IDNO, [&](HWND dialog) { owner = GetWindow(dialog, GW_OWNER); });
  EXPECT_EQ(gui->ShowMessageBox("Keep the change? \xE2\x99\xAA", "Tovalune", MB_YESNO), IDNO);
  EXPECT_EQ(no.Title(), L"Tovalune");
  EXPECT_EQ(owner, host.Handle());

  DialogDriver declined(IDNO);
  EXPECT_FALSE(gui->OpenUrl("http://localhost/", "Tovalune", "Open the page?", nullptr));
  EXPECT_TRUE(declined.Pressed());
}

TEST_F(Dialogs, TheClipboardAndTheFoldersSpeakUtf8) {
  ASSERT_TRUE(SetClipboardText(L"Tovalune \u2013 1.5 \u266A"));
  HeapString read("stale");
  ASSERT_TRUE(gui->GetClipboardText(&read));
  EXPECT_STREQ(read.Get(), "Tovalune \xE2\x80\x93 1.5 \xE2\x99\xAA");
  ASSERT_TRUE(SetClipboardText(nullptr));  // empty
  EXPECT_FALSE(gui->GetClipboardText(&read));
  EXPECT_STREQ(read.Get(), "");

  // Module folders end with a backslash, the shell's folders do not.
  HeapString hostFolder, pluginFolder, desktop, common, local, user;
  gui->HostFolder(&hostFolder);
  gui->PluginFolder(&pluginFolder);
  gui->DesktopFolder(&desktop);
  gui->AppDataFolder(&common, true);
  gui->AppDataFolder(&local, false);
  gui->UserAppDataFolder(&user);
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  *(wcsrchr(exe, L'\\') + 1) = L'\0';
  EXPECT_EQ(Wide(hostFolder.Get()), exe);
  EXPECT_STREQ(pluginFolder.Get(), hostFolder.Get());  // the harness module lies beside it
  for (const HeapString* shell : {&desktop, &common, &local}) {
    ASSERT_GT(shell->Length(), 3) << shell->Get();
    EXPECT_NE(shell->Get()[shell->Length() - 1], '\\') << shell->Get();
  }
  EXPECT_STRNE(common.Get(), local.Get());
  EXPECT_STREQ(user.Get(), local.Get());
}
