// The overtone oscillator: a cosine quantised in steps of 1/64 plus the weighted differences
// between it and five sample-and-hold copies refreshed at integer multiples of its frequency,
// run for a group of voices side by side.
#pragma once

#include "engine/engine_record.h"
#include "engine/lanes.h"

namespace Engine {
namespace TOVALUNE_LANES {

struct OvertoneInputs {
  Lanes pitch;               // pitch value in [0, 1]
  Lanes morph;               // smoothed morph plus matrix modulation
  int set;                   // row of the overtone sets
  double alternatingWeight;  // from the math control: 1 at 0, 0 from 0.5 on
  double averageWeight;      // from the math control: 0 up to 0.5, 1 at 1
};

// The interpolated table cosine at 32-bit phase words (the whole word range is one period); the
// table repeats its first entry after its last. Any thread; no allocation.
inline Lanes CosineAt(LaneWords phase, const double* table) {
  // 1/262143 rather than 1/262144, so the fraction reaches exactly 1 at the top of a step.
  const Lanes fraction = ToDouble(phase & 0x3FFFF) * 3.81471181759574e-06;
  Lanes value, next;
  GatherPairs(table, phase >> 18, value, next);
  return value + (next - value) * fraction;
}

// One sample of one oscillator of the group's voices (Group is EveryLane or SomeLanes).
// Audio thread; no allocation.
template <class Group>
Lanes OvertoneOscStep(OvertoneOscState& osc, const OvertoneInputs& in, const double* cosineTable,
                      double sampleRate, double inverseSampleRate, const Group& group);

}  // namespace TOVALUNE_LANES
}  // namespace Engine
