// Editor drawing speed: a full repaint of a 163-control layout of the instrument's real sizes
// (solid-colour stand-ins for its images) at single and double scale, and the frame tick after
// one knob changed. Targets: full repaint under 5 ms (single) and 15 ms (double); one-knob tick
// under 0.5 ms; nothing allocated or decoded per tick.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "framework/plugin_core.h"
#include "graphics/controls.h"
#include "graphics/graphics.h"
#include "raster/blend.h"
#include "raster/font.h"
#include "raster/glyph_source.h"

// Every allocation of the program is counted, so a benchmark can report those of its loop.
// The replacements pair malloc with free themselves, which the compiler cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
std::atomic<long> allocations{0};

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

// Glyphs as solid boxes: the blending work of real text without a platform rasteriser.
class BoxGlyphSource : public Raster_GlyphSource {
 public:
  int LineHeight(RasterFontHandle font, Raster_IBitmap*) override {
    return static_cast<int>(reinterpret_cast<intptr_t>(font));
  }
  bool DrawGlyphCell(RasterFontHandle font, uint16_t code, int extraColumns, Raster_IBitmap* canvas,
                     Raster_GlyphCell* cell) override {
    const int height = LineHeight(font, canvas);
    const int advance = code == ' ' ? height / 3 : height * 2 / 3;
    *cell = {advance, advance + extraColumns, height};
    Raster_FillArea(canvas, 0, 0, cell->width, height, 0, 1.0f, BlendCopy);
    if (code != ' ') Raster_FillArea(canvas, 1, 2, advance - 2, height - 4, 0xFFFFFFFFu, 1.0f, 0);
    return true;
  }
  void DeleteFont(RasterFontHandle) override {}
};

class BenchPlugin : public IPluginCore {
 public:
  void BeginHostEdit(int) override {}
  void PerformHostEdit(int, double) override {}
  void EndHostEdit(int) override {}
  void NotifyHostPresetChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSignature(int*, int*) override {}
  void GetTimeInfo(ITransportInfo*) override {}
  void RequestGuiResize(int, int) override {}
  bool SendMidiMessage(const IMidiMessage*) override { return false; }
};

class BenchGraphics : public IGraphics {
 public:
  BenchGraphics(IPluginCore* plug, int scale) : IGraphics(plug, 1000 * scale, 530 * scale) {}
  bool BlitToWindow(const IRectangle*) override { return true; }
  void CancelTextEntry() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  IPopupMenu* ShowPopupMenu(IPopupMenu*, IRectangle*) override { return nullptr; }
  void ShowTextEntry(IControl*, ITextStyle*, IRectangle*, const char*, IParameter*) override {}
  void HostFolder(HeapString*) override {}
  void PluginFolder(HeapString*) override {}
  void DesktopFolder(HeapString*) override {}
  void AppDataFolder(HeapString*, bool) override {}
  void UserAppDataFolder(HeapString*) override {}
  void PromptForFile(HeapString*, int, HeapString*, const char*) override {}
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenUrl(const char*, const char*, const char*, const char*) override { return false; }
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool GetClipboardText(HeapString*) override { return false; }
  Raster_IBitmap* LoadImageResource(int, const char*) override { return nullptr; }
  Raster_CachedFont* NewFont(const ITextStyle* style) override {
    static BoxGlyphSource source;
    auto* font = new Raster_CachedFont(&source);
    font->AttachFont(reinterpret_cast<RasterFontHandle>(static_cast<intptr_t>(style->size)), 0);
    return font;
  }
};

// Builds the instrument's layout of 163 controls at the given scale. Images are solid opaque
// (backgrounds, panels) or half-transparent (knobs, switches) stand-ins of the real sizes.
class Layout {
 public:
  explicit Layout(int scale) : s(scale), gui(new BenchGraphics(&plug, scale)) {
    Build();
    plug.AttachGui(gui);
  }

  BenchPlugin plug;
  int s;
  BenchGraphics* gui;  // owned by plug
  IKnobMultiControl* oneKnob = nullptr;

 private:
  IBitmapStrip Strip(int w, int h, int frames, uint32_t colour) {
    auto bitmap = std::make_unique<Raster_MemBitmap>(w * s, h * s);
    Raster_FillArea(bitmap.get(), 0, 0, w * s, h * s, colour, 1.0f, BlendCopy);
    const IBitmapStrip strip{bitmap.get(), w * s, h * s, frames, false};
    images.push_back(std::move(bitmap));
    return strip;
  }
  IRectangle Rect(int l, int t, int r, int b) const { return {l * s, t * s, r * s, b * s}; }
  void Knob(int x, int y, int param, const IBitmapStrip& strip) {
    auto* knob = new IKnobMultiControl(&plug, x * s, y * s, param, strip, 4.0);
    gui->AddControl(knob);
    if (!oneKnob) oneKnob = knob;
  }

  void Build() {
    const IBitmapStrip background = Strip(1000, 1000, 1, 0xFF202830u);
    gui->AddControl(new IBitmapControl(&plug, 0, 0, -1, background, kBlendPlainCopy));
    gui->AddControl(new IBitmapControl(&plug, 0, 0, Strip(1000, 30, 1, 0xFF303030u)));
    gui->AddControl(new IBitmapControl(&plug, 20 * s, 30 * s, Strip(960, 470, 1, 0xFF404850u)));
    const IBitmapStrip cartridge = Strip(450, 90, 1, 0xFF506070u);
    for (int k = 0; k < 6; ++k)
      gui->AddControl(new IBitmapControl(&plug, 50 * s, 64 * s, cartridge));
    for (int k = 0; k < 2; ++k)
      gui->AddControl(new IBitmapControl(&plug, 501 * s, 64 * s, cartridge));
    const IBitmapStrip wheel = Strip(70, 1600, 20, 0x80A0A0FFu);
    Knob(99, 405, 144, wheel);
    Knob(149, 405, 145, wheel);
    const IBitmapStrip key = Strip(30, 160, 2, 0xC0E0E0E0u);
    for (int n = 0; n < 25; ++n)
      gui->AddControl(new IContactControl(&plug, (204 + 30 * n) * s, 402 * s, 65 + n, key));
    const IBitmapStrip onOff = Strip(32, 24, 2, 0xC0FF4040u);
    for (int k = 0; k < 8; ++k)
      gui->AddControl(new ISwitchControl(&plug, (k < 6 ? 85 : 536) * s, 73 * s, 100 + k, onOff));
    const IBitmapStrip effectKnob = Strip(40, 3960, 99, 0x9040FF40u);
    for (int k = 0; k < 29; ++k)
      Knob(k < 21 ? 120 + 90 * (k % 4) : 556 + 75 * (k % 5), 91, 10 + k, effectKnob);
    const IBitmapStrip mainKnob = Strip(40, 3960, 99, 0x90FFFFFFu);
    for (int k = 0; k < 31; ++k)
      Knob(40 + 50 * (k % 18), 185 + 67 * (k / 18), 40 + k, mainKnob);
    const IBitmapStrip bigSwitch = Strip(40, 240, 6, 0xC08080FFu);
    for (int k = 0; k < 6; ++k)
      gui->AddControl(
          new ISwitchControl(&plug, 90 * s, (185 + 67 * (k % 3)) * s, 80 + k, bigSwitch));
    const IBitmapStrip matrixKnob = Strip(20, 1980, 99, 0x90FF8080u);
    for (int k = 0; k < 31; ++k)
      Knob(452 + 28 * (k % 7), 187 + 28 * (k / 7), 110 + k, matrixKnob);
    const IBitmapStrip redButton = Strip(16, 32, 2, 0xC0FF0000u);
    for (int k = 0; k < 7; ++k)
      gui->AddControl(new ISwitchControl(&plug, (454 + 28 * k) * s, 330 * s, 150 + k, redButton));
    const ITextStyle label = ITextStyle::Make("Comic Sans MS", 16 * s, IColor{200, 255, 255, 255},
                                              kTextBold, kAlignCenter);
    const ITextStyle presetName =
        ITextStyle::Make("Arial", 20 * s, IColor{255, 100, 100, 100}, kTextBold, kAlignCenter);
    const IRectangle slot1 = Rect(77, 39, 237, 59);
    const IRectangle slot2 = Rect(625, 39, 785, 59);
    gui->AddControl(new ITextControl(&plug, &slot1, label, "FX Slot 1 : Chorus"));
    gui->AddControl(new ITextControl(&plug, &slot2, label, "FX Slot 2 : Delay"));
    gui->AddControl(new IPanelControl(&plug, &slot1, kColorTransparent));
    gui->AddControl(new IPanelControl(&plug, &slot2, kColorTransparent));
    gui->AddControl(new IContactControl(&plug, 280 * s, 0, 147, Strip(20, 25, 1, 0xFF808080u)));
    gui->AddControl(new IContactControl(&plug, 700 * s, 0, 148, Strip(20, 25, 1, 0xFF808080u)));
    const IBitmapStrip load = Strip(40, 25, 1, 0xFF909090u);
    const IBitmapStrip save = Strip(40, 25, 1, 0xFF909090u);
    gui->AddControl(new IBitmapControl(&plug, 240 * s, 0, load));
    gui->AddControl(new IBitmapControl(&plug, 720 * s, 0, save));
    const IRectangle loadRect = Rect(240, 0, 280, 25);
    const IRectangle saveRect = Rect(720, 0, 760, 25);
    gui->AddControl(new IFileSelectorControl(&plug, &loadRect, 149, load, 0, ""));
    gui->AddControl(new IFileSelectorControl(&plug, &saveRect, 150, save, 1, ""));
    const IRectangle bar = Rect(300, 0, 700, 25);
    gui->AddControl(new IPanelControl(&plug, &bar, IColor{140, 0, 0, 0}));
    const IRectangle name = Rect(300, 3, 700, 25);
    gui->AddControl(new ITextControl(&plug, &name, presetName, "LEAD - Some Preset Name (MW)"));
    gui->AddControl(new IPanelControl(&plug, &bar, kColorTransparent));
    // Slot 1 shows the chorus, slot 2 the delay: the other cartridges are hidden.
    for (int k : {4, 5, 6, 7, 8, 10})
      gui->GetControl(k)->Hide(true);
  }

  std::vector<std::unique_ptr<Raster_MemBitmap>> images;
};

void BM_FullRepaint(benchmark::State& state) {
  Layout layout(static_cast<int>(state.range(0)));
  const IRectangle all{0, 0, layout.gui->Width(), layout.gui->Height()};
  layout.gui->Draw(&all);  // glyphs rendered once
  for (auto _ : state)
    layout.gui->Draw(&all);
  state.counters["controls"] = layout.gui->NControls();
}
BENCHMARK(BM_FullRepaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_TickAfterOneKnob(benchmark::State& state) {
  Layout layout(static_cast<int>(state.range(0)));
  const IRectangle all{0, 0, layout.gui->Width(), layout.gui->Height()};
  IRectangle dirty{};
  for (int i = 0; i < 3; ++i) {
    layout.gui->Draw(&all);
    layout.gui->Tick(&dirty);
  }
  const int param = layout.oneKnob->ParamIdx();
  double value = 0.0;
  const long allocationsBefore = allocations;
  for (auto _ : state) {
    value = value > 0.5 ? 0.25 : 0.75;
    layout.plug.PushParamToGui(param, value, true);
    if (layout.gui->Tick(&dirty)) layout.gui->Draw(&dirty);
  }
  state.counters["allocations"] = static_cast<double>(allocations - allocationsBefore);
}
BENCHMARK(BM_TickAfterOneKnob)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
