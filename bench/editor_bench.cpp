// Editor drawing speed on the instrument's real editor: every control of the layout table with
// the generated images of the build tree (text in made-up glyphs, no window). Built once per
// scale (editor_bench: 1000 x 530; editor_bench_x2: 2000 x 1060).
// Targets: a full repaint under 5 ms (single) and 15 ms (double); a tick after a chord and one
// knob turned under 1 ms; nothing allocated per tick.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "engine/engine_params.h"
#include "instrument/tovalune.h"
#include "native_editor_graphics.h"

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

// An instance whose editor shows the chorus and the delay, drawn once so glyphs are cached.
struct Editor {
  Editor() {
    UseNativeEditors(TOVALUNE_EDITOR_IMAGES);
    synth = std::make_unique<Tovalune>();
    gui = LastNativeEditor();
    Set(EngineParam::FXSlot1Selector, 2.0);
    Set(EngineParam::FXSlot2Selector, 2.0);
    Tick();
    const IRectangle all{0, 0, gui->Width(), gui->Height()};
    gui->Draw(&all);
  }
  void Set(int idx, double value) {
    synth->GetParam(idx)->SetClamped(value);
    synth->ParamChanged(idx);
  }
  void Tick() {
    IRectangle dirty{};
    if (gui->Tick(&dirty)) gui->Draw(&dirty);
  }

  std::unique_ptr<Tovalune> synth;
  NativeEditorGraphics* gui = nullptr;
};

void BM_FullRepaint(benchmark::State& state) {
  Editor editor;
  const IRectangle all{0, 0, editor.gui->Width(), editor.gui->Height()};
  for (auto _ : state)
    editor.gui->Draw(&all);
  state.counters["controls"] = editor.gui->NControls();
  state.counters["width"] = editor.gui->Width();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_TickAfterChordAndKnob(benchmark::State& state) {
  Editor editor;
  const IRectangle all{0, 0, editor.gui->Width(), editor.gui->Height()};
  editor.gui->Draw(&all);
  editor.Tick();
  const int chord[] = {EngineParam::Key036A + 12, EngineParam::Key036A + 16,
                       EngineParam::Key036A + 19};
  bool down = false;
  editor.gui->blits.reserve(4);
  const long allocationsBefore = allocations;
  for (auto _ : state) {
    // What the audio thread hands over in one frame: three keys lit (or let go) by MIDI and a
    // knob moved by automation.
    down = !down;
    {
      MutexLock lock(editor.synth->GetMutex());
      for (int key : chord)
        editor.synth->PushParamToGui(key, down ? 1.0 : 0.0, true);
      editor.synth->PushParamToGui(EngineParam::FilterLpCutoff, down ? 0.75 : 0.25, true);
    }
    editor.Tick();
    editor.gui->blits.clear();  // the windowless editor's own record of blits keeps its room
  }
  state.counters["allocations"] = static_cast<double>(allocations - allocationsBefore);
}
BENCHMARK(BM_TickAfterChordAndKnob)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
