#include "engine/envelope.h"

#include <cmath>

namespace Engine {
namespace {

using Dsp::FixDenormal;

// 1/0.77: the attack curve 1 - e^(-1.5 t) scaled so it ends a little above 1.
constexpr double kAttackScale = 1.2987012987013;

struct Durations {
  double attack;
  double decay;
  double release;
};

// Growth of the elapsed time per sample for a stage of duration seconds. A stage without a
// positive duration does not advance.
double Growth(double duration, double sampleRate) {
  const double samples = duration * sampleRate;
  return samples > 0 ? 1 / samples : 0.0;
}

double DecayStep(EnvelopeState& e, const EnvelopeSettings& s, const Durations& d, double sr) {
  e.elapsed += Growth(d.decay, sr);
  if (e.elapsed > 1) {
    e.stage = Sustain;
    return s.sustain;
  }
  const double span = 1 - s.sustain;
  if (span == 0) return s.sustain;  // a full sustain: the decay adds exactly nothing
  return s.sustain + span * std::exp(-4.95 * e.elapsed);
}

double AttackStep(EnvelopeState& e, const EnvelopeSettings& s, const Durations& d, double sr) {
  // An attack that starts at or above full level has nothing to climb: it is over at once.
  if (e.attackStart >= 1) {
    e.elapsed = 0;
    e.stage = Decay;
    return DecayStep(e, s, d, sr);
  }
  e.elapsed += Growth(d.attack, sr);
  if (e.elapsed > 1) {
    e.elapsed = 0;
    e.stage = Decay;
    return DecayStep(e, s, d, sr);
  }
  return e.attackStart + (1 - e.attackStart) * kAttackScale * (1 - std::exp(-1.5 * e.elapsed));
}

double ReleaseStep(EnvelopeState& e, const Durations& d, double sr) {
  e.elapsed += Growth(d.release, sr);
  if (e.elapsed > 3) {
    e.elapsed = 0;
    e.stage = Idle;
    return 0.0;
  }
  return e.releaseStart * std::exp(-4.95 * e.elapsed);
}

}  // namespace

double EnvelopeStageStep(EnvelopeState& e, const EnvelopeSettings& s, double gate, double sr) {
  // Durations come from the start levels stored before this sample.
  const Durations d{s.attackTime * (1 - e.attackStart), s.decayTime * (1 - s.sustain),
                    s.releaseTime * e.releaseStart};
  const bool rising = gate - e.previousGateForRise == 1;
  const bool falling = gate - e.previousGateForFall == -1;
  e.previousGateForRise = gate;
  e.previousGateForFall = gate;

  double output;
  if (rising) {
    e.attackStart = s.restartFromZero ? 0.0 : e.level;
    e.elapsed = 0;
    e.stage = Attack;
    output = AttackStep(e, s, d, sr);
  } else if (falling) {
    e.elapsed = 0;
    e.stage = Release;
    e.releaseStart = e.level;
    output = ReleaseStep(e, d, sr);
  } else {
    switch (static_cast<int>(e.stage)) {
      case Attack:
        output = AttackStep(e, s, d, sr);
        break;
      case Decay:
        output = DecayStep(e, s, d, sr);
        break;
      case Sustain:
        output = s.sustain;
        break;
      case Release:
        output = ReleaseStep(e, d, sr);
        break;
      default:
        output = e.level;
        break;
    }
  }
  e.elapsed = FixDenormal(e.elapsed);
  e.level = FixDenormal(output);
  return output;
}

}  // namespace Engine
