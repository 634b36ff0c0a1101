// A harness for editor windows under Wine (and Windows): a top-level host window, message
// pumping until a condition holds, the window's pixels read back from the screen, real input
// through SendInput, a helper thread that drives modal dialogs, and an editor opened through a
// VST3 module as a host opens it. Everything runs on the test's (window) thread except the
// dialog and menu helpers; nothing sleeps for a fixed time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "module_loader.h"
#include "vst3_test_session.h"

class Raster_IBitmap;

namespace EditorHarness {

constexpr int kDefaultTimeoutMs = 10000;

// Dispatches messages until done() answers true or timeoutMs passes; whether it answered true.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = kDefaultTimeoutMs);
// Dispatches messages until no input waits in three checks in a row (input sent is handled).
void SettleInput();

// A top-level window at the screen's top-left, in front, counting the keys that reach it.
class HostWindow {
 public:
  HostWindow(int clientWidth, int clientHeight);
  ~HostWindow() { Destroy(); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return hwnd; }
  void Destroy();
  // The first editor window ("IPluginWndClass") inside, or null.
  HWND EditorChild() const;

  int keyDowns = 0;
  int keyUps = 0;
  HWND bounceKeysTo = nullptr;  // set: every key is sent straight back there

 private:
  HWND hwnd = nullptr;
};

// 0xAARRGGBB pixels, row after row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
  uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

// The client area as the screen shows it (GetDC and BitBlt), alpha 255.
Pixels ReadWindowPixels(HWND window);
// The top-left width x height pixels of a bitmap.
Pixels ReadBitmapPixels(Raster_IBitmap* bitmap, int width, int height);
// Pixels whose red, green or blue differ (every pixel when the sizes differ).
int CountRgbDifferences(const Pixels& a, const Pixels& b);
// Writes an opaque PNG file (UTF-8 path as the program sees it); false on failure.
bool WritePixelsPng(const std::string& path, const Pixels& pixels);

// Input as the user's mouse and keyboard give it; positions in the window's client coordinates.
enum class Button { kLeft, kRight, kMiddle };
void MoveMouse(HWND window, int x, int y);
void PressButton(Button button);
void ReleaseButton(Button button);
void Click(HWND window, int x, int y, Button button = Button::kLeft);
void DoubleClick(HWND window, int x, int y);
void TurnWheel(int delta);  // 120 per notch
void TapKey(WORD virtualKey, bool control = false);
void TypeText(const std::wstring& text);

// Polls find on a helper thread until it gives a window or timeoutMs passes.
HWND WaitForWindow(const std::function<HWND()>& find, int timeoutMs = kDefaultTimeoutMs);
// The last visible popup menu ("#32768") of this process, or null.
HWND FindProcessPopupMenu();

// A helper thread that waits for a dialog of this process, hands it to act, then presses button
// (IDOK, IDCANCEL). Whatever dialog is still open at the timeout is cancelled, so a modal call
// never hangs a test.
class DialogDriver {
 public:
  explicit DialogDriver(int button, std::function<void(HWND dialog)> act = nullptr);
  ~DialogDriver() { Pressed(); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  // Whether a dialog was found and closed by the button (waits for the helper).
  bool Pressed();

 private:
  bool pressed = false;
  std::thread worker;
};

// The folder an open or save dialog shows, and a file name typed into it.
std::wstring FileDialogFolder(HWND dialog);
void SetFileDialogName(HWND dialog, const std::wstring& name);
// Puts Unicode text on the clipboard; null empties it. False when it cannot be opened.
bool SetClipboardText(const wchar_t* text);

// One instance of a VST3 module's first class, prepared as a host prepares it, with its view.
struct ModuleEditor {
  explicit ModuleEditor(const std::string& modulePath);
  ~ModuleEditor();  // removes the view, releases everything, frees the module
  ModuleEditor(const ModuleEditor&) = delete;
  ModuleEditor& operator=(const ModuleEditor&) = delete;

  bool Loaded() const { return session != nullptr; }
  // createView("editor"), then attached(parent, "HWND"): the result a host gets.
  Steinberg::tresult Attach(HWND parent);
  void Remove();  // removed() when attached

  LoadedVst3Module module;
  std::unique_ptr<Vst3TestSession> session;
  Steinberg::IPlugView* view = nullptr;
  bool attached = false;
};

}  // namespace EditorHarness
