#include "engine/envelope.h"

#include "engine/lane_math.h"

namespace Engine {
namespace TOVALUNE_LANES {
namespace {

// The stages as the doubles the state holds.
constexpr double kIdle = Idle, kAttack = Attack, kDecay = Decay, kSustain = Sustain,
                 kRelease = Release;

// 1/0.77: the attack curve 1 - e^(-1.5 t) scaled so it ends a little above 1.
constexpr double kAttackScale = 1.2987012987013;

// Growth of the elapsed time per sample for stages of the given durations (seconds). A stage
// without a positive duration does not advance.
Lanes Growth(Lanes duration, double sampleRate) {
  const Lanes samples = duration * sampleRate;
  const LaneMask positive = samples > 0.0;
  return Select(positive, 1.0 / Select(positive, samples, Splat(1.0)), Splat(0.0));
}

}  // namespace

template <class Group>
Lanes EnvelopeStep(EnvelopeState& e, const EnvelopeSettings& s, Lanes gate, double sr,
                   const Group& g) {
  const Lanes stageBefore = g.Get(e.stage);
  const Lanes previousRise = g.Get(e.previousGateForRise);
  const Lanes previousFall = g.Get(e.previousGateForFall);
  const double sustain = s.sustain;

  // Settled at the sustain level with the gate unchanged (a decay to a full sustain has no
  // duration, so it never moves either): the output is the sustain value.
  const LaneMask steadyGate = (gate == previousRise) & (gate == previousFall);
  LaneMask settled = stageBefore == kSustain;
  if (sustain == 1.0) settled |= stageBefore == kDecay;
  if (MaskBits((steadyGate & settled) | ~g.live) == kAllLanes) {
    g.Set(e.level, FixDenormal(Splat(sustain)));
    return Splat(sustain);
  }

  const Lanes level = g.Get(e.level);
  const Lanes attackStartBefore = g.Get(e.attackStart);
  const Lanes releaseStartBefore = g.Get(e.releaseStart);
  const LaneMask rising = (gate - previousRise) == 1.0;
  const LaneMask falling = ~rising & ((gate - previousFall) == -1.0);
  g.Set(e.previousGateForRise, gate);
  g.Set(e.previousGateForFall, gate);

  // A rising gate restarts the attack, a falling one starts the release.
  const Lanes attackStart =
      Select(rising, s.restartFromZero ? Splat(0.0) : level, attackStartBefore);
  const Lanes releaseStart = Select(falling, level, releaseStartBefore);
  Lanes stage = Select(rising, Splat(kAttack), Select(falling, Splat(kRelease), stageBefore));
  Lanes t = Select(rising | falling, Splat(0.0), g.Get(e.elapsed));

  // Durations come from the start levels stored before this sample; a voice attacks or
  // releases, never both, so one division serves both stages.
  const Lanes attackDuration = s.attackTime * (1.0 - attackStartBefore);
  const Lanes releaseDuration = s.releaseTime * releaseStartBefore;
  const Lanes growth = Growth(Select(stage == kRelease, releaseDuration, attackDuration), sr);

  // An attack that starts at or above full level has nothing to climb: it is over at once.
  const LaneMask attacking = stage == kAttack;
  const Lanes attackElapsed = t + growth;
  const LaneMask attackOver = attacking & ((attackStart >= 1.0) | (attackElapsed > 1.0));
  const LaneMask attackRuns = attacking & ~attackOver;
  t = Select(attackRuns, attackElapsed, Select(attackOver, Splat(0.0), t));
  stage = Select(attackOver, Splat(kDecay), stage);

  const LaneMask decaying = stage == kDecay;
  const Lanes decayElapsed = t + s.decayGrowth;
  const LaneMask decayOver = decaying & (decayElapsed > 1.0);
  t = Select(decaying, decayElapsed, t);
  stage = Select(decayOver, Splat(kSustain), stage);

  const LaneMask releasing = stage == kRelease;
  const Lanes releaseElapsed = t + growth;
  const LaneMask releaseOver = releasing & (releaseElapsed > 3.0);
  t = Select(releasing, Select(releaseOver, Splat(0.0), releaseElapsed), t);
  stage = Select(releaseOver, Splat(kIdle), stage);

  // Every running stage follows one exponential of its elapsed time.
  const Lanes curve = Exp(Select(attackRuns, -1.5 * t, -4.95 * t));
  const Lanes attackLevel = attackStart + (1.0 - attackStart) * kAttackScale * (1.0 - curve);
  const double span = 1 - sustain;
  // A full sustain: the decay adds exactly nothing.
  const Lanes decayLevel = span == 0 ? Splat(sustain) : sustain + span * curve;
  const Lanes releaseLevel = releaseStart * curve;

  Lanes output = Select(stage == kSustain, Splat(sustain), level);
  output = Select(attackRuns, attackLevel, output);
  output = Select(decaying & ~decayOver, decayLevel, output);
  output = Select(releasing, Select(releaseOver, Splat(0.0), releaseLevel), output);

  g.Set(e.attackStart, attackStart);
  g.Set(e.releaseStart, releaseStart);
  g.Set(e.stage, stage);
  g.Set(e.elapsed, FixDenormal(t));
  g.Set(e.level, FixDenormal(output));
  return output;
}

template Lanes EnvelopeStep(EnvelopeState&, const EnvelopeSettings&, Lanes, double,
                            const EveryLane&);
template Lanes EnvelopeStep(EnvelopeState&, const EnvelopeSettings&, Lanes, double,
                            const SomeLanes&);

}  // namespace TOVALUNE_LANES
}  // namespace Engine
