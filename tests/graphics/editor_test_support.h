// A plug-in that records what the editor tells it, an editor on a memory back buffer whose
// platform services are scripted by the test, and helpers for bitmaps.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/plugin_core.h"
#include "graphics/controls.h"
#include "graphics/graphics.h"
#include "raster/bitmap.h"
#include "raster/blend.h"

// Every parameter spans [0, 100] (normalized 0.25 is 25); host edits are logged in order.
class RecordingPlugin : public IPluginCore {
 public:
  enum Kind { kBegin, kPerform, kEnd, kContextMenu };
  struct Event {
    Kind kind;
    int idx;
    double normalized;
  };

  explicit RecordingPlugin(IPluginApi api = kApiVST3) : IPluginCore(api) {
    for (int i = 0; i < NParams(); ++i)
      GetParam(i)->DefineDouble("P", 0.0, 0.0, 100.0, 0.01, "u");
  }
  void BeginHostEdit(int idx) override { events.push_back({kBegin, idx, 0.0}); }
  void PerformHostEdit(int idx, double v) override { events.push_back({kPerform, idx, v}); }
  void EndHostEdit(int idx) override { events.push_back({kEnd, idx, 0.0}); }
  void PopupHostContextMenu(int idx, int, int) override {
    events.push_back({kContextMenu, idx, 0.0});
  }
  void NotifyHostPresetChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSignature(int*, int*) override {}
  void GetTimeInfo(ITransportInfo*) override {}
  void RequestGuiResize(int w, int h) override { resizes.push_back({w, h}); }
  bool SendMidiMessage(const IMidiMessage*) override { return false; }

  std::vector<Kind> KindsFor(int idx) const {
    std::vector<Kind> kinds;
    for (const Event& e : events)
      if (e.idx == idx) kinds.push_back(e.kind);
    return kinds;
  }
  std::vector<double> Performed(int idx) const {
    std::vector<double> values;
    for (const Event& e : events)
      if (e.idx == idx && e.kind == kPerform) values.push_back(e.normalized);
    return values;
  }

  std::vector<Event> events;
  std::vector<std::pair<int, int>> resizes;
};

// Menus answer menuAnswer's platform command (0 dismisses); file dialogs answer fileAnswer
// ("" cancels). Image 101 is a 200 x 100 background, ids 200-299 solid pictures (id - 190) x 20,
// other ids are missing. Fonts are made-up glyphs whose line height is the style's size.
class TestGraphics : public IGraphics {
 public:
  struct TextEntry {
    IRectangle rect;
    std::string text;
    IParameter* param;
  };

  explicit TestGraphics(IPluginCore* plug, int w = 200, int h = 100) : IGraphics(plug, w, h) {}

  bool BlitToWindow(const IRectangle* rect) override {
    blits.push_back(*rect);
    if (screen && GetBackBuffer())
      Raster_BlitArea(screen.get(), GetBackBuffer(), rect->left, rect->top, rect, 1.0f, BlendCopy);
    return true;
  }
  void CancelTextEntry() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  IPopupMenu* ShowPopupMenu(IPopupMenu* menu, IRectangle*) override;
  void ShowTextEntry(IControl*, ITextStyle*, IRectangle* rect, const char* text,
                     IParameter* param) override {
    EndMousePress();
    entries.push_back({*rect, text, param});
  }
  void HostFolder(HeapString* out) override { out->Set(""); }
  void PluginFolder(HeapString* out) override { out->Set(""); }
  void DesktopFolder(HeapString* out) override { out->Set("desk"); }
  void AppDataFolder(HeapString* out, bool) override { out->Set(""); }
  void UserAppDataFolder(HeapString* out) override { out->Set(""); }
  void PromptForFile(HeapString* file, int action, HeapString* folder,
                     const char* extensions) override;
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenUrl(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override { OnWindowClosing(); }
  void* GetWindow() override { return nullptr; }
  bool GetClipboardText(HeapString* out) override { return out->Set(""), false; }
  Raster_IBitmap* LoadImageResource(int id, const char*) override;
  Raster_CachedFont* NewFont(const ITextStyle* style) override;

  std::function<int(IPopupMenu*)> menuAnswer = [](IPopupMenu*) { return 0; };
  std::string fileAnswer;
  std::vector<IRectangle> blits;
  std::unique_ptr<Raster_MemBitmap> screen;  // when set, what the window shows: every blit lands

  std::vector<TextEntry> entries;
  std::vector<int> loadedImages;
  int fontsMade = 0;
};

// A solid bitmap; a vertical strip of w x frameHeight frames, frame k (1-based) filled with the
// pixel 0xFF000000 | k (the caller owns both); a bitmap seen as a strip; one pixel.
Raster_MemBitmap* SolidBitmap(int w, int h, uint32_t colour);
Raster_MemBitmap* NumberedStrip(int w, int frameHeight, int frames);
inline IBitmapStrip StripOf(Raster_IBitmap* bitmap, int frames) {
  return IBitmapStrip{bitmap, bitmap->Width(), bitmap->Height(), frames, false};
}
inline uint32_t Pixel(Raster_IBitmap* bitmap, int x, int y) {
  return bitmap->Bits()[y * bitmap->RowSpan() + x];
}

// Numbered strips kept until the maker goes (declare it before the editor that draws them).
class StripMaker {
 public:
  IBitmapStrip operator()(int w, int frameHeight, int frames) {
    owned.emplace_back(NumberedStrip(w, frameHeight, frames));
    return StripOf(owned.back().get(), frames);
  }

 private:
  std::vector<std::unique_ptr<Raster_MemBitmap>> owned;
};
