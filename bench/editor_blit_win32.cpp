// Reports the time of a full redraw of a dense single-scale editor (the background, 120 knobs,
// 24 switches and 12 texts, about the instrument's count) plus its blit to a real window, and of
// the blit alone. A measurement, not a test: the figures are for people to read (the target is a
// full redraw plus blit under 5 ms).
#include <algorithm>
#include <cstdio>
#include <vector>

#include "editor_harness.h"
#include "test_editor.h"

using namespace EditorHarness;

namespace {

constexpr int kRuns = 200;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

void AddDenseControls(HarnessPlugin* plug, IGraphicsWin* gui) {
  const IBitmapStrip knob = gui->LoadImageStrip(121, "knob.png", 99, 40, 40);
  const IBitmapStrip button = gui->LoadImageStrip(107, "button.png", 2, 32, 12);
  for (int i = 0; i < 120; ++i) {
    auto* control = new IKnobMultiControl(plug, 20 + (i % 20) * 48, 150 + (i / 20) * 48,
                                          10 + i % 100, knob, 4.0);
    control->SetValue((i % 10) / 9.0);
    gui->AddControl(control);
  }
  for (int i = 0; i < 24; ++i)
    gui->AddControl(new ISwitchControl(plug, 20 + i * 40, 450, 130 + i, button));
  const ITextStyle style = ITextStyle::Make("Arial", 12, kColorWhite, kTextNormal, kAlignCenter);
  for (int i = 0; i < 12; ++i) {
    const IRectangle r = {20 + i * 80, 480, 90 + i * 80, 496};
    gui->AddControl(new ITextControl(plug, &r, style, "Cutoff 1.25 kHz"));
  }
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  double sum = 0.0;
  for (double t : times)
    sum += t;
  std::printf("%-44s median %.3f ms, mean %.3f ms, 90%% %.3f ms, max %.3f ms\n", what,
              times[times.size() / 2], sum / static_cast<double>(times.size()),
              times[times.size() * 9 / 10], times.back());
}

}  // namespace

int main() {
  HostWindow host(TestEditor::kWidth, TestEditor::kHeight);
  auto* plug = new HarnessPlugin();
  IGraphicsWin* gui = TestEditor::Build(plug, GetModuleHandleW(nullptr));
  AddDenseControls(plug, gui);
  if (!gui->OpenWindow(host.Handle())) {
    std::printf("the editor window could not be opened\n");
    plug->release();
    return 1;
  }
  const int ticks = gui->TickCount();
  PumpUntil([&] { return gui->TickCount() >= ticks + 3; });

  const IRectangle all = {0, 0, gui->Width(), gui->Height()};
  std::vector<double> redraws;
  std::vector<double> blits;
  for (int run = 0; run < kRuns; ++run) {
    LARGE_INTEGER start;
    LARGE_INTEGER drawn;
    LARGE_INTEGER blitted;
    QueryPerformanceCounter(&start);
    gui->Draw(&all);  // every control drawn, then the blit
    GdiFlush();
    QueryPerformanceCounter(&drawn);
    gui->BlitToWindow(&all);
    GdiFlush();
    QueryPerformanceCounter(&blitted);
    redraws.push_back(Milliseconds(start, drawn));
    blits.push_back(Milliseconds(drawn, blitted));
  }
  std::printf("%d controls, %d x %d pixels, %d runs\n", gui->NControls(), gui->Width(),
              gui->Height(), kRuns);
  Report("full redraw plus blit to the window:", redraws);
  Report("blit of the whole editor alone:", blits);
  plug->release();
  return 0;
}
