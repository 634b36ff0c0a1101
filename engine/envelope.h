// The ADSR envelope shared by the amplitude envelope and the two modulation envelopes, run for a
// group of voices side by side.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_record.h"
#include "engine/lanes.h"

namespace Engine {
namespace TOVALUNE_LANES {

// Runs one envelope of the group's voices for one sample on their effective gates and returns
// the raw outputs (before the output smoothing). Group is EveryLane or SomeLanes.
// Audio thread; no allocation.
template <class Group>
Lanes EnvelopeStep(EnvelopeState& envelope, const EnvelopeSettings& settings, Lanes gate,
                   double sampleRate, const Group& group);

// Output smoothing: rises at once, falls with a 1 ms one-pole; returns the floored smoothed
// values (0 below 1e-8). Audio thread; no allocation.
template <class Group>
Lanes SmoothEnvelope(EnvelopeState& envelope, Lanes target, double fallCoefficient,
                     const Group& group) {
  const Lanes smoothed = group.Get(envelope.smoothed);
  const Lanes k = Select(target > smoothed, Splat(1.0), Splat(fallCoefficient));
  const Lanes moved =
      Select(target != smoothed, FixDenormal(smoothed + (target - smoothed) * k), smoothed);
  group.Set(envelope.smoothed, moved);
  return Select(moved < 1e-8, Splat(0.0), moved);
}

}  // namespace TOVALUNE_LANES
}  // namespace Engine
