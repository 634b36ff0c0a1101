// Dialogs and services: open and save dialogs driven by a helper thread that reads what they
// show, fills in a name and presses OK or Cancel; the file selector control through a real
// click; the colour dialog, message boxes, web addresses, the clipboard and the folders.
#include <algorithm>

#include "editor_fixture.h"

using namespace EditorHarness;
using Edit = HarnessPlugin::Edit;

namespace {

std::wstring Wide(const std::string& utf8) {
  std::wstring out;
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  out.resize(static_cast<size_t>(units > 0 ? units - 1 : 0));
  if (units > 1) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], units);
  return out;
}

std::string WithSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
  auto trimmed = [](std::wstring s) {
    while (!s.empty() && s.back() == L'\\')
      s.pop_back();
    return s;
  };
  return CompareStringOrdinal(trimmed(a).c_str(), -1, trimmed(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

class Dialogs : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ASSERT_NE(Open(), nullptr);
  }
  TempFolder folder{"tovalune_dialogs"};
};

TEST_F(Dialogs, TheOpenDialogStartsInAFolderGivenWithSlashesAndReturnsTheChosenFile) {
  const std::string existing = folder.AddFile("preset.tovalunepreset");
  HeapString file;
  HeapString where(WithSlashes(folder.Path()).c_str());
  std::wstring shownFolder;
  DialogDriver driver(IDOK, [&](HWND dialog) {
    shownFolder = FileDialogFolder(dialog);
    SetFileDialogName(dialog, L"preset.tovalunepreset");
  });
  gui->PromptForFile(&file, IFileSelectorControl::kOpen, &where, "tovalunepreset");
  ASSERT_TRUE(driver.Pressed());
  EXPECT_TRUE(SameFolder(shownFolder, Wide(folder.Path()))) << shownFolder.c_str();
  EXPECT_TRUE(SameFolder(Wide(file.Get()), Wide(existing))) << file.Get();
  EXPECT_EQ(std::string(where.Get()), folder.Path() + "\\");

  // The next dialog shows the file chosen before.
  std::wstring shownName;
  DialogDriver again(IDCANCEL, [&](HWND dialog) { shownName = FileDialogName(dialog); });
  gui->PromptForFile(&file, IFileSelectorControl::kOpen, &where, "tovalunepreset");
  ASSERT_TRUE(again.Pressed());
  EXPECT_EQ(shownName, L"preset.tovalunepreset");
  EXPECT_STREQ(file.Get(), "");  // cancelled
}

TEST_F(Dialogs, WithoutAFolderTheDialogStartsOnTheDesktop) {
  HeapString desktop;
  gui->DesktopFolder(&desktop);
  ASSERT_GT(desktop.Length(), 0);
  HeapString file("old");
  HeapString where;
  std::wstring shownFolder;
  DialogDriver driver(IDCANCEL, [&](HWND dialog) { shownFolder = FileDialogFolder(dialog); });
  gui->PromptForFile(&file, IFileSelectorControl::kOpen, &where, "tovalunepreset");
  ASSERT_TRUE(driver.Pressed());
  EXPECT_TRUE(SameFolder(shownFolder, Wide(desktop.Get()))) << shownFolder.c_str();
  EXPECT_STREQ(where.Get(), desktop.Get());
  EXPECT_STREQ(file.Get(), "");
}

TEST_F(Dialogs, TheSaveDialogAddsTheExtensionToATypedName) {
  HeapString file;
  HeapString where(folder.Path().c_str());
  DialogDriver driver(IDOK, [&](HWND dialog) { SetFileDialogName(dialog, L"mine"); });
  gui->PromptForFile(&file, IFileSelectorControl::kSave, &where, "tovalunepreset other");
  ASSERT_TRUE(driver.Pressed());
  EXPECT_EQ(std::string(file.Get()), folder.Path() + "\\mine.tovalunepreset");
  EXPECT_EQ(std::string(where.Get()), folder.Path() + "\\");
}

TEST_F(Dialogs, AClosedEditorOpensNoDialog) {
  gui->CloseWindow();
  HeapString file("kept?");
  HeapString where;
  gui->PromptForFile(&file, IFileSelectorControl::kOpen, &where, "tovalunepreset");
  EXPECT_STREQ(file.Get(), "");
  IColor colour = kColorBlack;
  EXPECT_FALSE(gui->PromptForColor(&colour, "x"));
}

TEST_F(Dialogs, TheFileSelectorOpensItsDialogOnAPressAndKeepsTheChoice) {
  const std::string existing = folder.AddFile("a.tovalunepreset");
  plug->release();
  plug = new HarnessPlugin();
  gui = TestEditor::Build(plug, folder.Path().c_str(), PictureModule());
  ASSERT_NE(Open(), nullptr);
  auto* selector = static_cast<IFileSelectorControl*>(gui->GetControl(TestEditor::kOpenControl));
  DialogDriver driver(IDOK, [&](HWND dialog) { SetFileDialogName(dialog, L"a.tovalunepreset"); });
  ClickOn(TestEditor::kOpenRect);
  ASSERT_TRUE(PumpUntil([&] { return plug->Count(Edit::kEnd, HarnessPlugin::kOpenFile) == 1; }));
  ASSERT_TRUE(driver.Pressed());
  SettleInput();
  EXPECT_TRUE(SameFolder(Wide(selector->GetFile()), Wide(existing))) << selector->GetFile();
  EXPECT_DOUBLE_EQ(plug->Value(HarnessPlugin::kOpenFile), 1.0);
  EXPECT_EQ(plug->Count(Edit::kPerform, HarnessPlugin::kOpenFile), 1);
  EXPECT_TRUE(plug->GesturesBalanced());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Dialogs, TheColourDialogTakesThePromptAsTitleAndKeepsTheColourOnCancel) {
  IColor colour = {77, 10, 120, 230};
  DialogDriver cancelled(IDCANCEL);
  EXPECT_FALSE(gui->PromptForColor(&colour, "Pick a colour"));
  EXPECT_EQ(cancelled.Title(), L"Pick a colour");
  EXPECT_EQ(colour.red, 10);
  DialogDriver confirmed(IDOK);
  EXPECT_TRUE(gui->PromptForColor(&colour, nullptr));
  ASSERT_TRUE(confirmed.Pressed());
  EXPECT_EQ(colour.alpha, 77);
  EXPECT_EQ(colour.red, 10);
  EXPECT_EQ(colour.green, 120);
  EXPECT_EQ(colour.blue, 230);
}

TEST_F(Dialogs, MessageBoxesBelongToTheHostsWindow) {
  HWND owner = nullptr;
  std::wstring text;
  DialogDriver driver(IDNO, [&](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    text = DialogText(dialog, 0xFFFF);
  });
  EXPECT_EQ(gui->ShowMessageBox("Keep the change? \xE2\x99\xAA", "Tovalune", MB_YESNO), IDNO);
  ASSERT_TRUE(driver.Pressed());
  EXPECT_EQ(driver.Title(), L"Tovalune");
  EXPECT_EQ(owner, host.Handle());
  EXPECT_EQ(text, L"Keep the change? \u266A");
}

TEST_F(Dialogs, AWebAddressOpensOnlyAfterTheConfirmation) {
  DialogDriver driver(IDNO);
  EXPECT_FALSE(gui->OpenUrl("http://localhost/", "Tovalune", "Open the page?", nullptr));
  ASSERT_TRUE(driver.Pressed());
  EXPECT_EQ(driver.Title(), L"Tovalune");
}

TEST_F(Dialogs, TheClipboardGivesItsUnicodeTextAsUtf8) {
  const wchar_t text[] = L"Tovalune \u2013 1.5 \u266A";
  ASSERT_TRUE(SetClipboardText(text));
  HeapString read("stale");
  ASSERT_TRUE(gui->GetClipboardText(&read));
  EXPECT_STREQ(read.Get(), "Tovalune \xE2\x80\x93 1.5 \xE2\x99\xAA");

  ASSERT_TRUE(SetClipboardText(nullptr));  // empty
  EXPECT_FALSE(gui->GetClipboardText(&read));
  EXPECT_STREQ(read.Get(), "");
}

TEST_F(Dialogs, FoldersEndWithABackslashOnlyWhereTheyAreModuleFolders) {
  HeapString hostFolder;
  HeapString pluginFolder;
  HeapString desktop;
  HeapString common;
  HeapString local;
  HeapString user;
  gui->HostFolder(&hostFolder);
  gui->PluginFolder(&pluginFolder);
  gui->DesktopFolder(&desktop);
  gui->AppDataFolder(&common, true);
  gui->AppDataFolder(&local, false);
  gui->UserAppDataFolder(&user);
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring exeFolder = exe;
  exeFolder.erase(exeFolder.rfind(L'\\') + 1);
  EXPECT_EQ(Wide(hostFolder.Get()), exeFolder);
  EXPECT_STREQ(pluginFolder.Get(), hostFolder.Get());  // the harness module lies beside it
  for (const HeapString* shell : {&desktop, &common, &local}) {
    ASSERT_GT(shell->Length(), 3) << shell->Get();
    EXPECT_NE(shell->Get()[shell->Length() - 1], '\\') << shell->Get();
  }
  EXPECT_STRNE(common.Get(), local.Get());
  EXPECT_STREQ(user.Get(), local.Get());
}
