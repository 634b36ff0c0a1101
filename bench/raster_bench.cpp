// Speed of the editor's redraw work: a full pass over the back buffer (the background copied
// plainly, a panel copied with its alpha, a half-transparent fill) at single scale (1000 x 530)
// and double scale (2000 x 1060), and each of the three parts alone. Nothing allocates inside
// the timed loops.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/blend.h"

namespace {

// Pixel noise with coherent alpha, as artwork has it: across every 64 columns, 48 opaque, then an
// 8-pixel antialiased edge, then 8 transparent.
void Paint(Raster_MemBitmap* bitmap, bool withAlpha) {
  uint32_t seed = 12345;
  for (int y = 0; y < bitmap->Height(); ++y) {
    uint32_t* row = bitmap->Bits() + y * bitmap->RowSpan();
    for (int x = 0; x < bitmap->Width(); ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int phase = x % 64;
      const uint32_t alpha =
          !withAlpha || phase < 48
              ? 255u
              : (phase < 56 ? static_cast<uint32_t>(255 - 30 * (phase - 47)) : 0u);
      row[x] = (alpha << 24) | (seed >> 8);
    }
  }
}

struct Scene {
  int scale;
  Raster_MemBitmap backBuffer, background, panel;
  explicit Scene(int s)
      : scale(s),
        backBuffer(1000 * s, 530 * s),
        background(1000 * s, 530 * s),
        panel(960 * s, 470 * s) {
    Paint(&background, false);
    Paint(&panel, true);
    Raster_BlitArea(&backBuffer, &background, 0, 0, nullptr, 1.0f, BlendCopy);
  }
  void CopyBackground() {
    Raster_BlitArea(&backBuffer, &background, 0, 0, nullptr, 1.0f, BlendCopy);
  }
  void CopyPanel() {
    Raster_BlitArea(&backBuffer, &panel, 20 * scale, 30 * scale, nullptr, 1.0f,
                    BlendUseSourceAlpha);
  }
  void Fill() {
    Raster_FillArea(&backBuffer, 100 * scale, 100 * scale, 400 * scale, 200 * scale, 0x80FF8000,
                    1.0f, BlendUseSourceAlpha);
  }
};

void BM_RedrawPass(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.CopyBackground();
    scene.CopyPanel();
    scene.Fill();
    benchmark::ClobberMemory();
  }
}
void BM_BackgroundCopy(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.CopyBackground();
    benchmark::ClobberMemory();
  }
}
void BM_PanelSourceAlphaCopy(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.CopyPanel();
    benchmark::ClobberMemory();
  }
}
void BM_HalfTransparentFill(benchmark::State& state) {
  Scene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.Fill();
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_RedrawPass)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackgroundCopy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelSourceAlphaCopy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfTransparentFill)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
