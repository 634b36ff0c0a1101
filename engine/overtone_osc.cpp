#include "engine/overtone_osc.h"

#include <cmath>

namespace Engine {
namespace {

using Dsp::Clamp;

constexpr double OvertoneSets[6][kChainCount] = {
    {3, 4, 5, 6, 7},   {3, 5, 7, 9, 11}, {3, 5, 7, 11, 13},
    {3, 5, 8, 13, 21}, {3, 4, 5, 9, 14}, {3, 6, 7, 8, 9},
};
constexpr double kDifferenceWeights[kChainCount] = {0.5, 0.6, 0.7, 0.8, 0.9};

// Crossfade over the five differences: piecewise linear over 0, 0.25, 0.5, 0.75, 1, so at most
// two neighbouring weights are not 0 (the first of them at `segment`).
void MorphWeights(double morph, int& segment, double& first, double& second) {
  const double m = Clamp(morph, 0.0, 1.0);
  double base;
  if (m <= 0.25) {
    segment = 0;
    base = 0.0;
  } else if (m <= 0.5) {
    segment = 1;
    base = 0.25;
  } else if (m <= 0.75) {
    segment = 2;
    base = 0.5;
  } else {
    segment = 3;
    base = 0.75;
  }
  const double rise = 4 * (m - base);
  first = Clamp(1 - rise, 0.0, 1.0);
  second = Clamp(rise, 0.0, 1.0);
}

// Fade of the overtone part: 0 up to 880 Hz (pitch 0.6), 1 from 3520 Hz (pitch 0.8).
double OvertoneFade(double pitch) {
  if (pitch <= 0.6) return 0.0;
  if (pitch >= 0.8) return 1.0;
  return std::pow(5 * (pitch - 0.6), 0.4);
}

// Truncation toward zero for the small magnitudes used here.
double Truncate(double x) {
  return static_cast<double>(static_cast<int64_t>(x));
}

}  // namespace

int OvertoneSet(double coeff) {
  return static_cast<int>(5 * Clamp(coeff, 0.0, 1.0));
}

double OvertoneOscStep(OvertoneOscState& osc, const OvertoneInputs& in, const double* cosineTable,
                       double sampleRate, double inverseSampleRate) {
  OvertoneCache& cache = osc.cache;
  if (!cache.valid || cache.pitch != in.pitch || cache.set != in.set) {
    cache.valid = true;
    cache.pitch = in.pitch;
    cache.set = in.set;
    cache.frequency = 13.75 * std::exp2(10 * in.pitch);
    cache.fade = OvertoneFade(in.pitch);
    for (int i = 0; i < kChainCount; ++i) {
      const double rate = OvertoneSets[in.set][i] * cache.frequency;
      cache.period[i] = rate == 0 ? 0.0 : sampleRate / rate;
    }
  }
  if (!cache.morphValid || cache.morph != in.morph) {
    cache.morphValid = true;
    cache.morph = in.morph;
    MorphWeights(in.morph, cache.morphSegment, cache.morphFirst, cache.morphSecond);
  }
  const double phase = Dsp::PhaseStep(osc.phase, cache.frequency, inverseSampleRate);
  Dsp::CosineOsc reader{Dsp::LowWord(phase * Dsp::kTwoPow32), 0};
  const double c = Clamp(Dsp::CosineOsc::Next(reader, cosineTable), -1.0, 1.0);
  const double w = Clamp(Truncate(c * 64) / 64, -1.0, 1.0);

  // Each chain holds w, refreshed on whole samples r_i f times a second on average.
  double d[kChainCount];
  for (int i = 0; i < kChainCount; ++i) {
    HoldChain& chain = osc.chains[i];
    const double period = cache.period[i];
    chain.counter += 1;  // at least 1, never subnormal
    if (period > 0 && chain.counter >= period) {
      chain.counter = chain.counter - period * Truncate(chain.counter / period);
      chain.held = w;
    }
    d[i] = (chain.held - w) * kDifferenceWeights[i];
  }
  const double average = 0.2 * (d[0] + d[1] + d[2] + d[3] + d[4]);
  const double alternating = 0.2 * (d[0] - d[1] - d[2] - d[3] - d[4]);
  const int segment = cache.morphSegment;
  const double morphSum = cache.morphFirst * d[segment] + cache.morphSecond * d[segment + 1];
  const double overtones =
      in.alternatingWeight * alternating + in.averageWeight * average + morphSum;

  // The table is larger than the first-level cache; fetch the entry the next sample will read.
  const double nextPhase = phase + cache.frequency * inverseSampleRate;
  __builtin_prefetch(&cosineTable[Dsp::LowWord(nextPhase * Dsp::kTwoPow32) >> 18]);

  const double z = cache.fade;
  return 0.5 * ((1 - z) * overtones + 0.4 * w);
}

}  // namespace Engine
