#include "engine/arpeggiator.h"

#include <cmath>

namespace Engine {
namespace {

using Dsp::Clamp;
using Dsp::FixDenormal;

constexpr int kRest = -1;
constexpr int kMaxPatternLength = 12;

struct Pattern {
  int length;
  int entries[kMaxPatternLength];  // 1-based held-voice positions, or kRest
};

// Step tables by ArpPattern and held count 0..4.
constexpr Pattern kPatterns[4][5] = {
    {{0, {}}, {1, {1}}, {2, {1, 2}}, {3, {1, 2, 3}}, {4, {1, 2, 3, 4}}},
    {{0, {}}, {1, {1}}, {2, {1, 2}}, {4, {1, 2, 3, 2}}, {6, {1, 2, 3, 4, 3, 2}}},
    {{0, {}},
     {2, {1, kRest}},
     {4, {1, 1, 2, 2}},
     {6, {1, 1, 2, 2, 3, 3}},
     {8, {1, 1, 2, 2, 3, 3, 4, 4}}},
    {{0, {}},
     {2, {1, kRest}},
     {4, {1, 1, 2, 2}},
     {8, {1, 1, 2, 2, 3, 3, 2, 2}},
     {12, {1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 2, 2}}},
};

// The voice holding the position-th held gate (gates exactly 1, in voice order), or -1 when
// fewer voices hold a gate: a step without its voice is a rest.
int HeldVoice(const BlockValues& values, int position) {
  int found = 0;
  for (int voice = 0; voice < kVoiceCount; ++voice) {
    if (values.noteGate[voice] == 1.0 && ++found == position) return voice;
  }
  return -1;
}

}  // namespace

void ArpeggiatorStep(EngineRecord& record, const BlockValues& values, double gates[kVoiceCount]) {
  ArpeggiatorState& arp = record.history.arpeggiator;
  Dsp::DelayLine& clockLine = record.lines[kArpeggiatorClock];

  // A rise of the bar-start pulse, or no held gate, restarts the clock.
  const double barStart = values.barStartPulse;
  const double restart = Clamp(barStart - arp.previousBarStart, 0.0, 1.0) + (1 - values.anyGate);
  arp.previousBarStart = barStart;
  if (restart == 0) {
    double phase = FixDenormal(arp.clockPhase + values.arpIncrement);
    if (phase >= 1) phase -= std::floor(phase);
    arp.clockPhase = phase;
  } else {
    arp.clockPhase = 0;
  }
  const double square = restart == 0 && arp.clockPhase < 0.5 ? 1.0 : 0.0;

  // The square wave delayed by one sample; its rising edge is a tick.
  const double delayed = Dsp::DelayLine::Read(clockLine, 0);
  Dsp::DelayLine::Write(clockLine, square);
  const bool tick = delayed - arp.previousDelayedSquare == 1;
  arp.previousDelayedSquare = delayed;
  arp.previousSquare = square;

  bool step = false;
  if (tick) {
    arp.dividerCounter += 1;
    if (values.arpDivider < arp.dividerCounter) {
      step = true;
      arp.dividerCounter = 1;
    } else {
      step = arp.dividerCounter == 1;
    }
  }
  if (values.anyGate == 0) arp.dividerCounter = 0;
  const double stepPulse = step ? 1.0 : 0.0;

  const Pattern& pattern = kPatterns[values.arpPattern][static_cast<int>(values.heldCount)];
  double counter = arp.stepCounter;
  if (stepPulse - arp.previousStepForCounter == 1) counter += 1;
  arp.previousStepForCounter = stepPulse;
  if (counter > pattern.length) counter = 1;
  if (values.anyGate == 0) counter = 0;
  arp.stepCounter = FixDenormal(counter);

  bool pulseOn = false;
  if (stepPulse - arp.previousStepForTimer == 1) arp.gateTimer = values.arpSamplesPerTick / 2;
  arp.previousStepForTimer = stepPulse;
  if (arp.gateTimer > 0) {
    pulseOn = true;
    arp.gateTimer = FixDenormal(arp.gateTimer - 1);
  }

  if (!values.arpOn) {
    for (int voice = 0; voice < kVoiceCount; ++voice)
      gates[voice] = values.noteGate[voice];
    return;
  }
  int sounding = -1;
  const int position = static_cast<int>(arp.stepCounter);
  if (pulseOn && position >= 1 && position <= pattern.length) {
    const int entry = pattern.entries[position - 1];
    if (entry != kRest) sounding = HeldVoice(values, entry);
  }
  for (int voice = 0; voice < kVoiceCount; ++voice)
    gates[voice] = voice == sounding ? 1.0 : 0.0;
}

}  // namespace Engine
