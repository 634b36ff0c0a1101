// A plug-in that records what the editor tells it, an editor on a memory back buffer whose
// platform services are scripted by the test, and helpers for bitmaps and controls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/plugin_core.h"
#include "graphics/controls.h"
#include "graphics/graphics.h"
#include "raster/bitmap.h"

// The plug-in base with every parameter in [0, 100] (so normalized 0.25 is 25) and a log of
// host edits, context menus and parameter changes.
class RecordingPlugin : public IPluginCore {
 public:
  struct Event {
    enum Kind { kBegin, kPerform, kEnd, kContextMenu } kind;
    int idx;
    double normalized;
  };

  explicit RecordingPlugin(IPluginApi api = kApiVST3);

  void BeginHostEdit(int idx) override { events.push_back({Event::kBegin, idx, 0.0}); }
  void PerformHostEdit(int idx, double normalized) override {
    events.push_back({Event::kPerform, idx, normalized});
  }
  void EndHostEdit(int idx) override { events.push_back({Event::kEnd, idx, 0.0}); }
  void PopupHostContextMenu(int idx, int, int) override {
    events.push_back({Event::kContextMenu, idx, 0.0});
  }
  void ParamChanged(int idx) override { changed.push_back(idx); }
  void NotifyHostPresetChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSignature(int*, int*) override {}
  void GetTimeInfo(ITransportInfo*) override {}
  void RequestGuiResize(int w, int h) override { resizes.push_back({w, h}); }
  bool SendMidiMessage(const IMidiMessage*) override { return false; }

  // Kinds of the recorded events, in order, for one parameter.
  std::vector<Event::Kind> KindsFor(int idx) const;

  std::vector<Event> events;
  std::vector<int> changed;
  std::vector<std::pair<int, int>> resizes;
};

// An editor whose platform part is played by the test.
class TestGraphics : public IGraphics {
 public:
  struct TextEntry {
    IControl* control;
    IRectangle rect;
    std::string text;
    IParameter* param;
  };

  explicit TestGraphics(IPluginCore* plug, int w = 200, int h = 100) : IGraphics(plug, w, h) {}

  bool BlitToWindow(const IRectangle* rect) override {
    blits.push_back(*rect);
    return true;
  }
  void CancelTextEntry() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  // Answers with menuAnswer's platform command (item id + 1; 0 dismisses).
  IPopupMenu* ShowPopupMenu(IPopupMenu* menu, IRectangle*) override;
  void ShowTextEntry(IControl* control, ITextStyle*, IRectangle* rect, const char* text,
                     IParameter* param) override {
    entries.push_back({control, *rect, text, param});
  }
  void HostFolder(HeapString* out) override { out->Set(""); }
  void PluginFolder(HeapString* out) override { out->Set(""); }
  void DesktopFolder(HeapString* out) override { out->Set("desk"); }
  void AppDataFolder(HeapString* out, bool) override { out->Set(""); }
  void UserAppDataFolder(HeapString* out) override { out->Set(""); }
  // Answers with fileAnswer ("" cancels).
  void PromptForFile(HeapString* file, int action, HeapString* folder,
                     const char* extensions) override;
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenUrl(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override { OnWindowClosing(); }
  void* GetWindow() override { return nullptr; }
  bool GetClipboardText(HeapString* out) override {
    out->Set("");
    return false;
  }
  // Image 101 is a 200 x 100 solid background; ids 200-299 are solid 20-pixel-high pictures
  // (id - 190) wide; any other id is missing.
  Raster_IBitmap* LoadImageResource(int id, const char* name) override;
  Raster_CachedFont* NewFont(const ITextStyle* style) override;

  std::function<int(IPopupMenu*)> menuAnswer = [](IPopupMenu*) { return 0; };
  std::string fileAnswer;
  std::vector<IRectangle> blits;
  std::vector<TextEntry> entries;
  std::vector<int> loadedImages;
  int fontsMade = 0;
  int filePrompts = 0;
};

// A solid bitmap (the caller owns it).
Raster_MemBitmap* SolidBitmap(int w, int h, uint32_t colour);
// A vertical strip whose frame k (1-based) is filled with the pixel value 0xFF000000 | k.
Raster_MemBitmap* NumberedStrip(int w, int frameHeight, int frames);
IBitmapStrip StripOf(Raster_IBitmap* bitmap, int frames);
uint32_t Pixel(Raster_IBitmap* bitmap, int x, int y);
