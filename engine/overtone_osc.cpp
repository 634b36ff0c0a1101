#include "engine/overtone_osc.h"

#include <cmath>

#include "engine/lane_math.h"

namespace Engine {
namespace TOVALUNE_LANES {
namespace {

constexpr double OvertoneSets[6][kChainCount] = {
    {3, 4, 5, 6, 7},   {3, 5, 7, 9, 11}, {3, 5, 7, 11, 13},
    {3, 5, 8, 13, 21}, {3, 4, 5, 9, 14}, {3, 6, 7, 8, 9},
};
constexpr double kDifferenceWeights[kChainCount] = {0.5, 0.6, 0.7, 0.8, 0.9};

// Fade of the overtone part: 0 up to 880 Hz (pitch 0.6), 1 from 3520 Hz (pitch 0.8). Pitches in
// between are rare and cached, so they take the library's pow one voice at a time.
Lanes OvertoneFade(Lanes pitch) {
  Lanes fade = Select(pitch >= 0.8, Splat(1.0), Splat(0.0));
  const int between = MaskBits(~(pitch <= 0.6) & ~(pitch >= 0.8));
  for (int lane = 0; lane < kLaneCount; ++lane) {
    if (between >> lane & 1) fade[lane] = std::pow(5 * (pitch[lane] - 0.6), 0.4);
  }
  return fade;
}

// Advances phases in [0, 1) by frequency / sample rate and wraps them back into [0, 1).
Lanes PhaseStep(Lanes phase, Lanes frequency, double inverseSampleRate) {
  const Lanes p = frequency * inverseSampleRate + phase;
  const LaneMask inside = (p >= 0.0) & (p < 1.0);
  if (MaskBits(inside) == kAllLanes) return p;
  Lanes wrapped = p - Floor(p);
  wrapped = Select(wrapped < 1.0, wrapped, Splat(0.0));  // rounding of a tiny negative step
  return Select(inside, p, wrapped);
}

template <class Group>
void UpdateCache(OvertoneCache& cache, Lanes pitch, int set, double sampleRate, const Group& g) {
  const Lanes frequency = 13.75 * Exp2(10.0 * pitch);
  g.Put(cache.pitch, pitch);
  g.Put(cache.set, Splat(set));
  g.Put(cache.frequency, frequency);
  g.Put(cache.fade, OvertoneFade(pitch));
  for (int i = 0; i < kChainCount; ++i) {
    const Lanes rate = OvertoneSets[set][i] * frequency;
    const LaneMask still = rate == 0.0;
    g.Put(cache.period[i], Select(still, Splat(0.0), sampleRate / Select(still, Splat(1.0), rate)));
  }
}

}  // namespace

template <class Group>
Lanes OvertoneOscStep(OvertoneOscState& osc, const OvertoneInputs& in, const double* cosineTable,
                      double sampleRate, double inverseSampleRate, const Group& g) {
  OvertoneCache& cache = osc.cache;
  const LaneMask same = (g.Get(cache.pitch) == in.pitch) & (g.Get(cache.set) == in.set);
  if (MaskBits(same) != kAllLanes) UpdateCache(cache, in.pitch, in.set, sampleRate, g);

  const Lanes phase = PhaseStep(g.Get(osc.phase), g.Get(cache.frequency), inverseSampleRate);
  g.Set(osc.phase, phase);
  const Lanes c = Clamp(CosineAt(LowWord(phase * 4294967296.0), cosineTable), -1.0, 1.0);
  // Truncation toward zero, with +0 for the magnitudes below 1.
  const Lanes w = Clamp((TruncateSmall(c * 64) + 0.0) / 64, -1.0, 1.0);

  // Each chain holds w, refreshed on whole samples r_i f times a second on average. A refresh
  // takes whole periods off the counter: one period while the counter is below two (the rounded
  // quotient then stays below 2), else as many as the quotient holds.
  Lanes d[kChainCount];
  for (int i = 0; i < kChainCount; ++i) {
    HoldChain& chain = osc.chains[i];
    const Lanes period = g.Get(cache.period[i]);
    Lanes counter = g.Get(chain.counter) + 1.0;  // at least 1, never subnormal
    Lanes held = g.Get(chain.held);
    // The period is never 0 or below: the frequency is at least 13.75 Hz.
    const LaneMask refresh = (counter >= period) & g.live;
    if (MaskBits(refresh) != 0) {  // most samples of a chain only count
      Lanes periods = Splat(1.0);
      const LaneMask several = refresh & (counter >= 2 * period);
      if (MaskBits(several) != 0)
        periods = Select(several, Truncate(counter / Select(several, period, Splat(1.0))), periods);
      counter = Select(refresh, counter - period * periods, counter);
      held = Select(refresh, w, held);
      g.Set(chain.held, held);
    }
    g.Set(chain.counter, counter);
    d[i] = (held - w) * kDifferenceWeights[i];
  }
  const Lanes average = 0.2 * (d[0] + d[1] + d[2] + d[3] + d[4]);
  const Lanes alternating = 0.2 * (d[0] - d[1] - d[2] - d[3] - d[4]);

  // Crossfade over the five differences: piecewise linear over 0, 0.25, 0.5, 0.75, 1, so at
  // most two neighbouring weights are not 0.
  const Lanes m = Clamp(in.morph, 0.0, 1.0);
  const LaneMask first = m <= 0.25, second = m <= 0.5, third = m <= 0.75;
  const Lanes base = Select(first, Splat(0.0),
                            Select(second, Splat(0.25), Select(third, Splat(0.5), Splat(0.75))));
  const Lanes lower = Select(first, d[0], Select(second, d[1], Select(third, d[2], d[3])));
  const Lanes upper = Select(first, d[1], Select(second, d[2], Select(third, d[3], d[4])));
  const Lanes rise = 4 * (m - base);
  const Lanes morphSum = Clamp(1.0 - rise, 0.0, 1.0) * lower + Clamp(rise, 0.0, 1.0) * upper;
  const Lanes overtones =
      in.alternatingWeight * alternating + in.averageWeight * average + morphSum;

  const Lanes z = g.Get(cache.fade);
  return 0.5 * ((1.0 - z) * overtones + 0.4 * w);
}

template Lanes OvertoneOscStep(OvertoneOscState&, const OvertoneInputs&, const double*, double,
                               double, const EveryLane&);
template Lanes OvertoneOscStep(OvertoneOscState&, const OvertoneInputs&, const double*, double,
                               double, const SomeLanes&);

}  // namespace TOVALUNE_LANES
}  // namespace Engine
