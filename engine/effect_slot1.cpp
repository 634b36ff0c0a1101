#include "engine/effect_slot1.h"

#include <cmath>

#include "engine/waveshapes.h"

namespace Engine {
namespace {

using Dsp::Clamp;
using Dsp::FixDenormal;

struct ModulatedDelay {
  bool on;
  double width;
  double centre;
  double feedback;      // signed: negative feedback for the chorus, positive for the flanger
  uint32_t incrementA;  // of the LFOs, the second 1.31 times faster
  uint32_t incrementB;
};

// Two delay lines read at a cosine-swept delay (the second LFO runs 1.31 times faster).
void ModulatedDelayStep(EngineRecord& record, const ModulatedDelay& fx, EffectLfo& lfoA,
                        EffectLfo& lfoB, Dsp::DelayLine& line0, Dsp::DelayLine& line1,
                        LineGroup& group, double x, double& out0, double& out1) {
  if (!fx.on) {
    out0 = x;
    out1 = x;
    return;
  }
  group.live = true;
  const double* table = record.cosineTable.entries;
  lfoA.osc.increment = fx.incrementA;
  const double l0 = Dsp::CosineOsc::Next(lfoA.osc, table);
  const double r0 = Dsp::DelayLine::ReadLinear(line0, l0 * fx.width + fx.centre);
  lfoB.osc.increment = fx.incrementB;
  const double l1 = Dsp::CosineOsc::Next(lfoB.osc, table);
  const double r1 = Dsp::DelayLine::ReadLinear(line1, l1 * fx.width + fx.centre);
  out0 = r0 + x;
  out1 = r1 + x;
  Dsp::DelayLine::Write(line0, FixDenormal(x + r0 * fx.feedback));
  Dsp::DelayLine::Write(line1, FixDenormal(x + r1 * fx.feedback));
}

double Foldback(const BlockValues& v, double x) {
  const double t = v.foldbackThreshold;
  double u = x * v.foldbackPreGain;
  if (u > 0 && u > t) {
    u = t - (u - t);
  } else if (u < 0 && u < -t) {
    u = -t - (u + t);
  }
  return Clamp(u, -1.0, 1.0) * v.foldbackPostGain;
}

double Bitcrush(const BlockValues& v, double x) {
  const double levels = v.bitcrusherLevels;
  const double u = Clamp(x * v.bitcrusherPreGain, -1.0, 1.0);
  const double q = levels == 0 ? 0.0 : std::trunc((u * 0.5 + 0.5) * levels) / levels;
  return Clamp((q - 0.5) * 2, -1.0, 1.0) * v.bitcrusherPostGain;
}

// The two points a shaper shapes each sample: its previous input and the midpoint to this one.
struct ShaperPoints {
  ShaperPoints(const WaveshaperState& s, double u)
      : previous(s.previousInput), mid(previous + (u - previous) * 0.5) {}
  double previous;
  double mid;
};

// Twice-oversampled waveshaping: the shaped points a, b, A (previous edge, midpoint, current
// edge) filtered 1/4, 1/2, 1/4, then a DC blocker. The active shaper's points come shaped (in
// `shaped`); an inactive shaper passes its input through the same frame, so an unselected one
// plays out the tail of its memories.
double WaveshaperStep(WaveshaperState& s, const double* shaped, double u) {
  const ShaperPoints points(s, u);
  const double A = shaped != nullptr ? shaped[0] : points.previous;
  const double B = shaped != nullptr ? shaped[1] : points.mid;
  const double smoothed = ((s.previousShaped - A) * 0.5 + A + s.previousShapedMid) * 0.5;
  const double y = smoothed - s.dcInput + 0.9997 * s.dcOutput;
  s.dcInput = FixDenormal(smoothed);
  s.dcOutput = FixDenormal(y);
  s.previousInput = FixDenormal(u);
  s.previousShaped = FixDenormal(A);
  s.previousShapedMid = FixDenormal(B);
  return FixDenormal(y);
}

// The points of the active shaper over a pass: its input is the voice sum (it is selected), and
// its previous input that sum one sample earlier.
void PassPoints(const WaveshaperState& s, const double* x, int32_t count, double (*points)[2]) {
  WaveshaperState next = s;
  for (int32_t i = 0; i < count; ++i) {
    const ShaperPoints sample(next, x[i]);
    points[i][0] = sample.previous;
    points[i][1] = sample.mid;
    next.previousInput = FixDenormal(x[i]);
  }
}

template <typename Shape>
void ShapeEachPoint(const double (*points)[2], int32_t count, double (*shaped)[2], Shape shape) {
  for (int32_t i = 0; i < count; ++i) {
    shaped[i][0] = shape(points[i][0]);
    shaped[i][1] = shape(points[i][1]);
  }
}

}  // namespace

void EffectSlot1PassStart(EngineRecord& record, const BlockValues& v, const double* x,
                          int32_t count) {
  const EngineHistory& h = record.history;
  double(*points)[2] = record.shaperPoints;
  double(*shaped)[2] = record.shapedPoints;
  // The curves with exp and tanh go through the lanes of the voice path's build.
  if (v.tubeOn) {
    PassPoints(h.tube, x, count, points);
    record.path.shapePoints(v, Shaper::Tube, points[0], 2 * count, shaped[0]);
  }
  if (v.solidStateOn) {
    PassPoints(h.solidState, x, count, points);
    record.path.shapePoints(v, Shaper::SolidState, points[0], 2 * count, shaped[0]);
  }
  if (v.foldbackOn) {
    PassPoints(h.foldback, x, count, points);
    ShapeEachPoint(points, count, shaped, [&v](double y) { return Foldback(v, y); });
  }
  if (v.bitcrusherOn) {
    PassPoints(h.bitcrusher, x, count, points);
    ShapeEachPoint(points, count, shaped, [&v](double y) { return Bitcrush(v, y); });
  }
}

void EffectSlot1Step(EngineRecord& record, const BlockValues& v, int32_t index, double x,
                     double& channel0, double& channel1) {
  const int s1 = v.slot1;
  const double direct = s1 == 1 ? x : 0.0;
  const double chorusIn = s1 == 2 ? x : 0.0;
  const double flangerIn = s1 == 3 ? x : 0.0;
  const double tubeIn = s1 == 4 ? x : 0.0;
  const double solidStateIn = s1 == 5 ? x : 0.0;
  const double foldbackIn = s1 == 6 ? x : 0.0;
  const double bitcrusherIn = s1 >= 7 ? x : 0.0;

  double c0, c1, f0, f1;
  const ModulatedDelay chorus{v.chorusOn,        v.chorusWidth,        v.chorusCentre,
                              -v.chorusFeedback, v.chorusIncrement[0], v.chorusIncrement[1]};
  ModulatedDelayStep(record, chorus, record.chorusLfoA, record.chorusLfoB, record.lines[kChorus0],
                     record.lines[kChorus1], record.history.chorusLines, chorusIn, c0, c1);
  const ModulatedDelay flanger{v.flangerOn,       v.flangerWidth,        v.flangerCentre,
                               v.flangerFeedback, v.flangerIncrement[0], v.flangerIncrement[1]};
  ModulatedDelayStep(record, flanger, record.flangerLfoC, record.flangerLfoD,
                     record.lines[kFlanger0], record.lines[kFlanger1], record.history.flangerLines,
                     flangerIn, f0, f1);

  // A shaper neither selected nor holding a tail stays at rest for the whole block.
  EngineHistory& h = record.history;
  const double* shaped = record.shapedPoints[index];
  double tube = 0.0, solidState = 0.0, foldback = 0.0, bitcrusher = 0.0;
  if (v.tubeRuns) tube = WaveshaperStep(h.tube, v.tubeOn ? shaped : nullptr, tubeIn);
  if (v.solidStateRuns) {
    solidState = WaveshaperStep(h.solidState, v.solidStateOn ? shaped : nullptr, solidStateIn);
  }
  if (v.foldbackRuns) {
    foldback = WaveshaperStep(h.foldback, v.foldbackOn ? shaped : nullptr, foldbackIn);
  }
  if (v.bitcrusherRuns) {
    bitcrusher = WaveshaperStep(h.bitcrusher, v.bitcrusherOn ? shaped : nullptr, bitcrusherIn);
  }

  const double mono = tube + solidState + foldback + bitcrusher + direct;
  channel0 = mono + f0 + c0;
  channel1 = mono + f1 + c1;
}

}  // namespace Engine
