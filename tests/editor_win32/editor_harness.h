// A harness for editor windows under Wine (and Windows): a top-level host window, message
// pumping until a condition holds, the window's pixels read back from the screen, real mouse and
// key input through SendInput, a helper thread that drives modal dialogs, and an editor opened
// through a VST3 module's createView and attached, as a host opens it.
//
// Everything here runs on the test's thread (the window thread) except the dialog driver's own
// thread. Nothing sleeps for a fixed time: every wait pumps messages until its condition holds or
// a generous timeout passes.
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

// ---- Messages ----

// Dispatches the thread's messages until done() answers true (checked after every batch) or
// timeoutMs passes; whether done() answered true.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = kDefaultTimeoutMs);
// Dispatches messages until no input is waiting for the thread in three checks in a row, so that
// input sent before has been handled (for input whose effect is that nothing happens).
void SettleInput(int timeoutMs = kDefaultTimeoutMs);

// ---- Host window ----

// A top-level window playing the host's: it sits at the screen's top-left, takes the foreground
// and counts the key messages that reach it (the editor forwards keys it does not take).
class HostWindow {
 public:
  HostWindow(int clientWidth, int clientHeight);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return hwnd; }
  // Destroys the window (and with it every child) now.
  void Destroy();
  // The first editor window ("IPluginWndClass") inside, or null.
  HWND EditorChild() const;

  int keyDowns = 0;
  int keyUps = 0;
  // When set, every key message is sent straight back to this window (a host that bounces
  // keys to its focused child).
  HWND bounceKeysTo = nullptr;

 private:
  HWND hwnd = nullptr;
};

// ---- Pixels ----

// 0xAARRGGBB pixels, row after row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
  uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

// The window's client area as the screen shows it (GetDC and BitBlt), alpha set to 255.
Pixels ReadWindowPixels(HWND window);
// The top-left width x height pixels of a bitmap.
Pixels ReadBitmapPixels(Raster_IBitmap* bitmap, int width, int height);
// Pixels whose red, green or blue differ (both must have the same size; otherwise every pixel
// counts). The first difference goes to firstX, firstY when given.
int CountRgbDifferences(const Pixels& a, const Pixels& b, int* firstX = nullptr,
                        int* firstY = nullptr);
// Writes an RGB PNG file (a path as the program sees it, e.g. "Z:\\tmp\\editor.png" under
// Wine); false on failure.
bool WritePixelsPng(const std::string& path, const Pixels& pixels);
// Pumps until the window's pixels stayed the same over `reads` reads in a row, one every few
// frames (for windows whose editor the program cannot reach, such as a module's); the last
// pixels read. Empty when the window is gone or the pixels never settled.
Pixels WaitForSettledPixels(HWND window, int reads = 4, int timeoutMs = kDefaultTimeoutMs);

// ---- Input (real input: it goes where the system sends it) ----

enum class Button { kLeft, kRight, kMiddle };

// Moves the pointer to (x, y) in the window's client coordinates.
void MoveMouse(HWND window, int x, int y);
void PressButton(Button button);
void ReleaseButton(Button button);
// Move, press and release.
void Click(HWND window, int x, int y, Button button = Button::kLeft);
// Two clicks in a row at one place (a double-click as the system counts it).
void DoubleClick(HWND window, int x, int y);
// A wheel turn of delta (120 per notch; negative towards the user).
void TurnWheel(int delta);
// A key down and up by virtual key, with optional modifiers held around it.
void TapKey(WORD virtualKey, bool control = false);
// Types text as Unicode characters.
void TypeText(const std::wstring& text);

// ---- Dialogs ----

// A helper thread that waits for a dialog of this process to appear, hands it to act (on the
// helper thread), then presses button (IDOK, IDCANCEL, IDYES, IDNO...). Should the dialog not
// appear or act fail to finish it, whatever dialog of the process is open is cancelled at the
// timeout, so a modal call never hangs a test.
class DialogDriver {
 public:
  using Action = std::function<void(HWND dialog)>;

  DialogDriver(int button, Action act = nullptr, int timeoutMs = kDefaultTimeoutMs);
  // Joins the thread.
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Waits for the helper thread to finish (call it after the modal call returned).
  void Finish();
  // Whether a dialog was found and closed by the button. Finishes first.
  bool Pressed();
  // The dialog's title, read before act ran. Finishes first.
  std::wstring Title();

 private:
  void Run(int button, Action act, int timeoutMs);

  bool pressed = false;
  std::wstring title;
  std::thread worker;
};

// The visible dialog ("#32770") of this process that appeared last, or null.
HWND FindProcessDialog();
// The visible popup menu ("#32768") of this process, or null.
HWND FindProcessPopupMenu();
// Polls find (on a helper thread: it sleeps between polls) until it gives a window or timeoutMs
// passes; the window or null.
HWND WaitForWindow(const std::function<HWND()>& find, int timeoutMs = kDefaultTimeoutMs);
// The text of a dialog's item, or of the window itself when item is 0.
std::wstring DialogText(HWND dialog, int item = 0);
// The folder and the file name an open or save dialog shows (Explorer-style dialogs).
std::wstring FileDialogFolder(HWND dialog);
std::wstring FileDialogName(HWND dialog);
// Replaces the file name an open or save dialog shows.
void SetFileDialogName(HWND dialog, const std::wstring& name);

// ---- Clipboard ----

// Puts text on the clipboard as Unicode text; null empties the clipboard. False when the
// clipboard cannot be opened.
bool SetClipboardText(const wchar_t* text);

// ---- Files ----

// A new empty folder under the system's temporary folder (UTF-8, with backslashes, no trailing
// one), removed again with everything in it by the destructor.
class TempFolder {
 public:
  explicit TempFolder(const char* prefix);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path; }
  // Creates a file with some bytes; its full path.
  std::string AddFile(const char* name);

 private:
  std::string path;
};

// ---- Editors opened through a VST3 module ----

// One instance of a module's first class, prepared as a host prepares it, with its editor view.
struct ModuleEditor {
  // Loads the module (a path of the build machine), calls InitDll and creates the instance.
  explicit ModuleEditor(const std::string& modulePath);
  // Releases the view (removing it first when attached) and the instance, calls ExitDll and
  // frees the module.
  ~ModuleEditor();
  ModuleEditor(const ModuleEditor&) = delete;
  ModuleEditor& operator=(const ModuleEditor&) = delete;

  bool Loaded() const { return session != nullptr; }
  // createView("editor"), then attached(parent, "HWND"): the host's result; the editor window is
  // then the host's EditorChild().
  Steinberg::tresult Attach(HWND parent);
  void Remove();

  LoadedVst3Module module;
  std::unique_ptr<Vst3TestSession> session;
  Steinberg::IPlugView* view = nullptr;
  bool attached = false;
};

}  // namespace EditorHarness
