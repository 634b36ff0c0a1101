// Speed of the editor's redraw work: a full pass over the back buffer (the background copied
// plainly, a panel copied with its alpha, a half-transparent fill) at single scale (1000 x 530)
// and double scale (2000 x 1060), and each of the three parts alone. Nothing allocates inside
// the timed loops. Then the PNG decoder refusing an image whose chunk claims more bytes than it
// has: quickly, and without memory beyond the image's.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <vector>

#include "raster/bitmap.h"
#include "raster/blend.h"
#include "raster/png_image.h"

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

// The process's peak resident memory so far, in kB.
long PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A 1 x 1 image whose next chunk, a tEXt, claims 2^31 - 1 bytes, followed by range(0) bytes of
// the claim (1 MB at the most). Counter: how far the peak resident memory grew (0: nothing was
// allocated for the claim).
void BM_PngChunkLongerThanTheData(benchmark::State& state) {
  std::vector<unsigned char> png = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
      0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00,
      0x00, 0x3A, 0x7E, 0x9B, 0x55, 0x7F, 0xFF, 0xFF, 0xFF, 0x74, 0x45, 0x58, 0x74};
  png.resize(png.size() + static_cast<size_t>(state.range(0)), 0x5A);
  const long before = PeakResidentKb();
  for (auto _ : state) {
    Raster_MemBitmap* image = Raster_ReadPngMemory(png.data(), static_cast<int>(png.size()));
    benchmark::DoNotOptimize(image);
    delete image;
  }
  state.counters["peak_growth_kB"] = static_cast<double>(PeakResidentKb() - before);
}

BENCHMARK(BM_PngChunkLongerThanTheData)->Arg(0)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawPass)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackgroundCopy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelSourceAlphaCopy)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HalfTransparentFill)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
