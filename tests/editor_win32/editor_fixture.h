// The harness plug-in with its test editor and a host window the size of the editor, shared by
// the program's tests (closing a top-level window can take the system a while); each test finds
// it cleared and in front and opens the editor itself.
#pragma once

#include <gtest/gtest.h>

#include "editor_harness.h"
#include "test_editor.h"

using namespace EditorHarness;
using Edit = HarnessPlugin::Edit;

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.keyDowns = host.keyUps = 0;
    host.bounceKeysTo = nullptr;
    SetForegroundWindow(host.Handle());
    SetFocus(host.Handle());
    plug = NewPlugin(&gui);
  }
  void TearDown() override {
    plug->release();  // the instance deletes its editor, which closes its window
    SettleInput();
  }

  // A plug-in with the test editor, its pictures from this program's resources.
  static HarnessPlugin* NewPlugin(IGraphicsWin** editor) {
    auto* made = new HarnessPlugin();
    *editor = TestEditor::Build(made, GetModuleHandleW(nullptr));
    return made;
  }
  // Opens the editor in parent (default: the host window) and waits until it is drawn.
  HWND Open(HWND parent = nullptr) {
    window = static_cast<HWND>(gui->OpenWindow(parent ? parent : host.Handle()));
    if (window) WaitUntilDrawn();
    return window;
  }
  bool WaitTicks(int n) {
    const int start = gui->TickCount();
    return PumpUntil([&] { return gui->TickCount() >= start + n; });
  }
  // Pumps until three ticks in a row painted nothing.
  bool WaitUntilDrawn() {
    int paints = gui->PaintCount();
    int quietSince = gui->TickCount();
    return PumpUntil([&] {
      if (gui->PaintCount() != paints) {
        paints = gui->PaintCount();
        quietSince = gui->TickCount();
      }
      return gui->TickCount() >= quietSince + 3;
    });
  }
  // Pixels of the window's client area that differ from the back buffer (on red, green, blue).
  int ScreenDifferences() {
    return CountRgbDifferences(ReadWindowPixels(window),
                               ReadBitmapPixels(gui->GetBackBuffer(), gui->Width(), gui->Height()));
  }
  void ClickOn(const IRectangle& r, Button button = Button::kLeft) {
    Click(window, TestEditor::CentreX(r), TestEditor::CentreY(r), button);
  }
  void PressOn(const IRectangle& r, Button button = Button::kLeft) {
    MoveMouse(window, TestEditor::CentreX(r), TestEditor::CentreY(r));
    PressButton(button);
  }
  // A value pushed by the plug-in, as host automation would.
  void PushFromHost(int idx, double normalized) {
    MutexLock lock(plug->GetMutex());
    plug->GetParam(idx)->SetFromNormalized(normalized);
    plug->PushParamToGui(idx, normalized, true);
  }
  int Count(Edit::Kind kind, int idx = HarnessPlugin::kKnob) { return plug->Count(kind, idx); }

  static HostWindow& SharedHost() {
    static auto* shared = new HostWindow(TestEditor::kWidth, TestEditor::kHeight);
    return *shared;  // lives until the program ends
  }

  HostWindow& host = SharedHost();
  HarnessPlugin* plug = nullptr;
  IGraphicsWin* gui = nullptr;
  HWND window = nullptr;
};
