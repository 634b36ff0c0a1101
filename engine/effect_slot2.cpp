#include "engine/effect_slot2.h"

namespace Engine {
namespace {

using Dsp::FixDenormal;
using Line = Dsp::DelayLine;

// An inactive effect writes zeros at its heads; once a whole line length of them is written its
// lines hold only zeros and the group goes quiet.
bool ClearingStep(LineGroup& group, const Dsp::DelayLine* first, int count) {
  if (!group.live) return false;
  int32_t longest = 0;
  for (int i = 0; i < count; ++i)
    longest = first[i].size > longest ? first[i].size : longest;
  if (++group.zeroRun >= longest) group.live = false;
  return true;
}

// Stereo echo synchronised to the tempo; the low-pass acts on the wet output only, the feedback
// takes the unfiltered delayed signal.
void TempoDelayStep(EngineRecord& record, const BlockValues& v, double in0, double in1,
                    double& out0, double& out1) {
  Dsp::DelayLine& line0 = record.lines[kTempoDelay0];
  Dsp::DelayLine& line1 = record.lines[kTempoDelay1];
  EngineHistory& h = record.history;
  if (!v.delayOn) {
    if (ClearingStep(h.tempoDelayLines, &line0, 2)) {
      Line::Write(line0, 0.0);
      Line::Write(line1, 0.0);
      h.delayLowPass0 = 0.0;
      h.delayLowPass1 = 0.0;
    }
    out0 = in0;
    out1 = in1;
    return;
  }
  h.tempoDelayLines = LineGroup{true, 0};
  const double k = v.delayCutoff;
  const double r1 = Line::ReadLinear(line1, v.delayTime1);
  const double q1 = h.delayLowPass1 + (r1 - h.delayLowPass1) * k;
  out1 = in1 + (q1 - in1) * v.delayDryWet;
  const double r0 = Line::ReadLinear(line0, v.delayTime0);
  const double q0 = h.delayLowPass0 + (r0 - h.delayLowPass0) * k;
  out0 = in0 + (q0 - in0) * v.delayDryWet;
  Line::Write(line1, FixDenormal(r1 * v.delayFeedback + in1));
  h.delayLowPass0 = FixDenormal(q0);
  Line::Write(line0, FixDenormal(r0 * v.delayFeedback + in0));
  h.delayLowPass1 = FixDenormal(q1);
}

// Output diffuser chain of one reverb channel: three allpass-like stages over its lines.
double DiffuserChain(const double e[3], double input, double late, double p[3]) {
  p[0] = input + late - 0.75 * e[0];
  p[1] = 0.75 * p[0] + e[0] - 0.625 * e[1];
  p[2] = 0.625 * p[1] + e[1] - 0.625 * e[2];
  return 0.625 * p[2] + e[2];
}

// Four damped feedback lines with a Hadamard-style mix, an input diffuser and taps, and three
// output diffusers per channel whose lengths the width spreads apart.
void ReverbStep(EngineRecord& record, const BlockValues& v, double in0, double in1, double& out0,
                double& out1) {
  Dsp::DelayLine* lines = record.lines;
  double* damping = record.history.reverbDamping;
  LineGroup& group = record.history.reverbLines;
  if (!v.reverbOn) {
    if (ClearingStep(group, &lines[kReverbA], kReverbOut1Diffuser3 - kReverbA + 1)) {
      for (int id = kReverbA; id <= kReverbOut1Diffuser3; ++id)
        Line::Write(lines[id], 0.0);
      for (int i = 0; i < 4; ++i)
        damping[i] = 0.0;
    }
    out0 = in0;
    out1 = in1;
    return;
  }
  group = LineGroup{true, 0};
  const double x = (in1 + in0) * 0.707;
  double fb[4];
  for (int i = 0; i < 4; ++i) {
    const double delayed = Line::ReadLinearFrom(lines[kReverbA + i], v.reverbFeedbackDelay[i]);
    const double raw = -v.reverbFeedbackGain[i] * delayed;
    fb[i] = raw + (damping[i] - raw) * v.reverbDamp;
  }
  const double a = fb[0], b = fb[1], c = fb[2], d = fb[3];
  double taps[4];
  for (int i = 0; i < 4; ++i) {
    taps[i] =
        Line::ReadLinearFrom(lines[kReverbInputTaps], v.reverbTapDelay[i]) * v.reverbTapGain[i];
  }
  double e[3], f[3];
  for (int i = 0; i < 3; ++i) {
    e[i] = Line::ReadLinearFrom(lines[kReverbOut0Diffuser1 + i], v.reverbOut0Delay[i]);
    f[i] = Line::ReadLinearFrom(lines[kReverbOut1Diffuser1 + i], v.reverbOut1Delay[i]);
  }
  const double m1 = 0.5 * ((c + a) - (d + b));
  const double m2 = 0.5 * ((d + b) + (c + a));
  const double m3 = 0.5 * ((a - c) - (b - d));
  const double m4 = -0.5 * ((b - d) + (a - c));
  const double n = Line::ReadLinearFrom(lines[kReverbInputDiffuser], v.reverbInputDiffuserDelay);
  const double diffused = x - 0.75 * n;
  const double late = 0.25 * m4 + 0.25 * m1 - (0.25 * m3 + 0.25 * m2);

  double p[3], y[3];
  const double wet0 = DiffuserChain(e, in0, late, p);
  const double wet1 = DiffuserChain(f, in1, late, y);
  out0 = wet0 * v.reverbMix + in0 * v.reverbDry;
  out1 = wet1 * v.reverbMix + in1 * v.reverbDry;

  Line::Write(lines[kReverbA], FixDenormal(m1 + taps[0]));
  Line::Write(lines[kReverbB], FixDenormal(m4 + taps[1]));
  Line::Write(lines[kReverbC], FixDenormal(m3 + taps[2]));
  Line::Write(lines[kReverbD], FixDenormal(m2 + taps[3]));
  for (int i = 0; i < 4; ++i)
    damping[i] = FixDenormal(fb[i]);
  Line::Write(lines[kReverbInputDiffuser], FixDenormal(diffused));
  Line::Write(lines[kReverbInputTaps], FixDenormal(0.75 * diffused + n));
  for (int i = 0; i < 3; ++i) {
    Line::Write(lines[kReverbOut0Diffuser1 + i], FixDenormal(p[i]));
    Line::Write(lines[kReverbOut1Diffuser1 + i], FixDenormal(y[i]));
  }
}

}  // namespace

void EffectSlot2Step(EngineRecord& record, const BlockValues& v, double& channel0,
                     double& channel1) {
  const int s2 = v.slot2;
  const double direct0 = s2 == 1 ? channel0 : 0.0;
  const double direct1 = s2 == 1 ? channel1 : 0.0;
  const double delayIn0 = s2 == 2 ? channel0 : 0.0;
  const double delayIn1 = s2 == 2 ? channel1 : 0.0;
  const double reverbIn0 = s2 >= 3 ? channel0 : 0.0;
  const double reverbIn1 = s2 >= 3 ? channel1 : 0.0;
  double delay0, delay1, reverb0, reverb1;
  TempoDelayStep(record, v, delayIn0, delayIn1, delay0, delay1);
  ReverbStep(record, v, reverbIn0, reverbIn1, reverb0, reverb1);
  channel0 = delay0 + reverb0 + direct0;
  channel1 = delay1 + reverb1 + direct1;
}

}  // namespace Engine
