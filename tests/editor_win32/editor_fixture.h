// One harness plug-in with its test editor and a host window the size of the editor; the tests
// open the editor themselves. The host window is shared by the tests of the program (closing a
// top-level window can take the system a while); each test finds it cleared and in front.
#pragma once

#include <gtest/gtest.h>

#include "editor_harness.h"
#include "test_editor.h"

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.keyDowns = 0;
    host.keyUps = 0;
    host.bounceKeysTo = nullptr;
    SetForegroundWindow(host.Handle());
    SetFocus(host.Handle());
    plug = new HarnessPlugin();
    gui = TestEditor::Build(plug, "", PictureModule());
  }
  void TearDown() override {
    plug->release();  // the instance deletes its editor, which closes its window
    EditorHarness::SettleInput();
  }

  // Opens the editor in parent (default: the host window) and waits until it is drawn.
  HWND Open(HWND parent = nullptr) {
    window = static_cast<HWND>(gui->OpenWindow(parent ? parent : host.Handle()));
    if (window) WaitUntilDrawn();
    return window;
  }
  // Pumps until n more frame ticks ran.
  bool WaitTicks(int n) {
    const int start = gui->TickCount();
    return EditorHarness::PumpUntil([&] { return gui->TickCount() >= start + n; });
  }
  // Pumps until three ticks in a row painted nothing.
  bool WaitUntilDrawn() {
    int paints = gui->PaintCount();
    int quietSince = gui->TickCount();
    return EditorHarness::PumpUntil([&] {
      if (gui->PaintCount() != paints) {
        paints = gui->PaintCount();
        quietSince = gui->TickCount();
      }
      return gui->TickCount() >= quietSince + 3;
    });
  }
  // Pixels of the window's client area that differ from the back buffer (on red, green, blue).
  int ScreenDifferences() {
    const EditorHarness::Pixels screen = EditorHarness::ReadWindowPixels(window);
    const EditorHarness::Pixels buffer =
        EditorHarness::ReadBitmapPixels(gui->GetBackBuffer(), gui->Width(), gui->Height());
    return EditorHarness::CountRgbDifferences(screen, buffer);
  }
  // Real input at the centre of a control's rectangle.
  void ClickOn(const IRectangle& r, EditorHarness::Button button = EditorHarness::Button::kLeft) {
    EditorHarness::Click(window, TestEditor::CentreX(r), TestEditor::CentreY(r), button);
  }
  // A value pushed by the plug-in, as host automation would.
  void PushFromHost(int idx, double normalized) {
    MutexLock lock(plug->GetMutex());
    plug->GetParam(idx)->SetFromNormalized(normalized);
    plug->PushParamToGui(idx, normalized, true);
  }

  // The harness module, loaded once: its resources hold the pictures (this program has none,
  // so the module's own pictures are what a module's editor can show).
  static void* PictureModule() {
    static LoadedVst3Module* module = [] {
      auto* loaded = new LoadedVst3Module();
      LoadVst3Module(TOVALUNE_HARNESS_MODULE, loaded);
      return loaded;
    }();
    return module->library;
  }

  // Lives until the program ends.
  static EditorHarness::HostWindow& SharedHost() {
    static auto* shared = new EditorHarness::HostWindow(TestEditor::kWidth, TestEditor::kHeight);
    return *shared;
  }

  EditorHarness::HostWindow& host = SharedHost();
  HarnessPlugin* plug = nullptr;
  IGraphicsWin* gui = nullptr;
  HWND window = nullptr;
};
