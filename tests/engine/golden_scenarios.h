// Short reference renders covering every effect, the arpeggiator, the matrix and the filters.
// Their checksums were recorded from the plain per-sample evaluation (golden_renders.h) and
// guard every later change of the arithmetic.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/engine/render_helper.h"

namespace EngineTest {

struct ParamChange {
  int32_t frame;  // applied before the block that starts at this frame
  int index;
  double value;
};

struct GoldenScenario {
  const char* name;
  double sampleRate;
  int32_t frames;
  int32_t blockSize;
  std::vector<ParamChange> changes;
};

struct GoldenSums {
  double sum;
  double sumOfSquares;
  double weightedSum;  // sum of (i + 1) x sample, sensitive to shifts in time
};

constexpr int kGoldenSampleCount = 64;

struct GoldenRecord {
  const char* name;
  GoldenSums left;
  GoldenSums right;
  double leftSamples[kGoldenSampleCount];
  double rightSamples[kGoldenSampleCount];
};

const std::vector<GoldenScenario>& GoldenScenarios();
// Renders a scenario; parameter changes land on block boundaries.
Stereo RenderScenario(const GoldenScenario& scenario);
GoldenSums Sums(const std::vector<double>& signal);
// The index of the k-th recorded sample of a render of `frames` samples.
int32_t GoldenSampleIndex(int32_t frames, int k);

}  // namespace EngineTest
