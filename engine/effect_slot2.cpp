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

// The reverb's reads (kReverbReads), in the order of ReverbReadDelay: the four feedback lines,
// the four input taps, the output diffusers of channel 0 and of channel 1, and the input
// diffuser.
constexpr int kFirstTapRead = 4, kFirstOut0Read = 8, kFirstOut1Read = 11, kInputDiffuserRead = 14;

int ReverbReadLine(int read) {
  if (read < kFirstTapRead) return kReverbA + read;
  if (read < kFirstOut0Read) return kReverbInputTaps;
  if (read < kFirstOut1Read) return kReverbOut0Diffuser1 + read - kFirstOut0Read;
  if (read < kInputDiffuserRead) return kReverbOut1Diffuser1 + read - kFirstOut1Read;
  return kReverbInputDiffuser;
}

double ReverbReadDelay(const BlockValues& v, int read) {
  if (read < kFirstTapRead) return v.reverbFeedbackDelay[read];
  if (read < kFirstOut0Read) return v.reverbTapDelay[read - kFirstTapRead];
  if (read < kFirstOut1Read) return v.reverbOut0Delay[read - kFirstOut0Read];
  if (read < kInputDiffuserRead) return v.reverbOut1Delay[read - kFirstOut1Read];
  return v.reverbInputDiffuserDelay;
}

// The feedback of line i: its delayed signal, damped by a one-pole over the previous samples.
double DampedFeedback(const BlockValues& v, int i, double delayed, double damping) {
  const double raw = -v.reverbFeedbackGain[i] * delayed;
  return raw + (damping - raw) * v.reverbDamp;
}

// One sample of the reverb after its reads and its damped feedback fb: a Hadamard-style mix of
// the four feedback lines, an input diffuser and taps, and three output diffusers per channel
// whose lengths the width spreads apart. Fills the values to write to each line.
void ReverbMix(const BlockValues& v, double in0, double in1, const double fb[4],
               const double read[kReverbReads], double write[kReverbLines], double& out0,
               double& out1) {
  const double x = (in1 + in0) * 0.707;
  const double a = fb[0], b = fb[1], c = fb[2], d = fb[3];
  double taps[4];
  for (int i = 0; i < 4; ++i)
    taps[i] = read[kFirstTapRead + i] * v.reverbTapGain[i];
  const double m1 = 0.5 * ((c + a) - (d + b));
  const double m2 = 0.5 * ((d + b) + (c + a));
  const double m3 = 0.5 * ((a - c) - (b - d));
  const double m4 = -0.5 * ((b - d) + (a - c));
  const double n = read[kInputDiffuserRead];
  const double diffused = x - 0.75 * n;
  const double late = 0.25 * m4 + 0.25 * m1 - (0.25 * m3 + 0.25 * m2);

  double* p = write + kReverbOut0Diffuser1 - kReverbA;
  double* y = write + kReverbOut1Diffuser1 - kReverbA;
  const double wet0 = DiffuserChain(read + kFirstOut0Read, in0, late, p);
  const double wet1 = DiffuserChain(read + kFirstOut1Read, in1, late, y);
  out0 = wet0 * v.reverbMix + in0 * v.reverbDry;
  out1 = wet1 * v.reverbMix + in1 * v.reverbDry;

  write[kReverbA - kReverbA] = m1 + taps[0];
  write[kReverbB - kReverbA] = m4 + taps[1];
  write[kReverbC - kReverbA] = m3 + taps[2];
  write[kReverbD - kReverbA] = m2 + taps[3];
  write[kReverbInputDiffuser - kReverbA] = diffused;
  write[kReverbInputTaps - kReverbA] = 0.75 * diffused + n;
}

// One sample of the reverb (the lines step after it, with the others).
void ReverbStep(EngineRecord& record, const BlockValues& v, double in0, double in1, double& out0,
                double& out1) {
  Dsp::DelayLine* lines = record.lines;
  double* damping = record.history.reverbDamping;
  LineGroup& group = record.history.reverbLines;
  if (!v.reverbOn) {
    if (ClearingStep(group, &lines[kReverbA], kReverbLines)) {
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
  double read[kReverbReads], fb[4], write[kReverbLines];
  for (int r = 0; r < kReverbReads; ++r)
    read[r] = Line::ReadLinearFrom(lines[ReverbReadLine(r)], ReverbReadDelay(v, r));
  for (int i = 0; i < 4; ++i)
    fb[i] = DampedFeedback(v, i, read[i], damping[i]);
  ReverbMix(v, in0, in1, fb, read, write, out0, out1);
  for (int i = 0; i < 4; ++i)
    damping[i] = FixDenormal(fb[i]);
  for (int id = kReverbA; id <= kReverbOut1Diffuser3; ++id)
    Line::Write(lines[id], FixDenormal(write[id - kReverbA]));
}

// The reverb reads `count` samples ahead when every read reaches back past the whole pass and
// never as far as the cells the pass writes: then no read sees a write of the same pass.
bool ReverbReadsAhead(const EngineRecord& record, const BlockValues& v, int32_t count) {
  for (int r = 0; r < kReverbReads; ++r) {
    const double delay = ReverbReadDelay(v, r);
    if (!(delay >= count + 1 && delay + count <= record.lines[ReverbReadLine(r)].size))
      return false;
  }
  return true;
}

// ReadLinearFrom for the `count` samples of a pass (the heads stepping from the line's head on),
// before the pass writes anything. Within one binade, and while the head does not wrap, every
// sample reads one cell further on at the same fraction, so the reads are one run of cells.
void ReadAhead(const Line& line, double delay, int32_t count, double* out) {
  const int32_t head = line.head;
  const double first = head + line.size - delay;
  if (head + count <= line.size && (head + count - 1 + line.size - delay) - first == count - 1) {
    const int32_t start = static_cast<int32_t>(first);
    const double fraction = first - start;
    const int32_t from = start & line.mask;
    const double* cells = line.cells + from;
    double window[kFramesPerPass + 1];
    if (from + count >= line.size) {  // the run wraps around the line's end
      for (int32_t j = 0; j <= count; ++j)
        window[j] = line.cells[(start + j) & line.mask];
      cells = window;
    }
    for (int32_t j = 0; j < count; ++j)
      out[j] = cells[j] + (cells[j + 1] - cells[j]) * fraction;
    return;
  }
  Line moving = line;
  for (int32_t j = 0; j < count; ++j) {
    moving.head = (head + j) & line.mask;
    out[j] = Line::ReadLinearFrom(moving, delay);
  }
}

// Writes one value per sample of a pass and steps the line past them.
void WriteAhead(Line& line, const double* values, int32_t count) {
  for (int32_t j = 0; j < count; ++j) {
    Line::Write(line, FixDenormal(values[j]));
    Line::Step(line);
  }
}

// The reverb over a whole pass, reads first: the same arithmetic in each sample as ReverbStep.
void ReverbAhead(EngineRecord& record, const BlockValues& v, const double* in0, const double* in1,
                 int32_t count, double* out0, double* out1) {
  Dsp::DelayLine* lines = record.lines;
  Slot2Memory& memory = record.slot2;
  record.history.reverbLines = LineGroup{true, 0};
  for (int r = 0; r < kReverbReads; ++r)
    ReadAhead(lines[ReverbReadLine(r)], ReverbReadDelay(v, r), count, memory.read[r]);
  for (int i = 0; i < 4; ++i) {
    double damping = record.history.reverbDamping[i];
    for (int32_t j = 0; j < count; ++j) {
      memory.feedback[i][j] = DampedFeedback(v, i, memory.read[i][j], damping);
      damping = FixDenormal(memory.feedback[i][j]);
    }
    record.history.reverbDamping[i] = damping;
  }
  for (int32_t j = 0; j < count; ++j) {
    double read[kReverbReads], fb[4], write[kReverbLines];
    for (int r = 0; r < kReverbReads; ++r)
      read[r] = memory.read[r][j];
    for (int i = 0; i < 4; ++i)
      fb[i] = memory.feedback[i][j];
    ReverbMix(v, in0[j], in1[j], fb, read, write, out0[j], out1[j]);
    for (int line = 0; line < kReverbLines; ++line)
      memory.write[line][j] = write[line];
  }
  for (int line = 0; line < kReverbLines; ++line)
    WriteAhead(lines[kReverbA + line], memory.write[line], count);
}

}  // namespace

void EffectSlot2Pass(EngineRecord& record, const BlockValues& v, double* channel0, double* channel1,
                     int32_t count) {
  const int s2 = v.slot2;
  Slot2Memory& memory = record.slot2;
  double* delay0 = memory.delayOut[0];
  double* delay1 = memory.delayOut[1];
  double* reverbIn0 = memory.reverbIn[0];
  double* reverbIn1 = memory.reverbIn[1];
  for (int32_t i = 0; i < count; ++i) {
    const double delayIn0 = s2 == 2 ? channel0[i] : 0.0;
    const double delayIn1 = s2 == 2 ? channel1[i] : 0.0;
    TempoDelayStep(record, v, delayIn0, delayIn1, delay0[i], delay1[i]);
    if (record.history.tempoDelayLines.live) {
      Line::Step(record.lines[kTempoDelay0]);
      Line::Step(record.lines[kTempoDelay1]);
    }
    reverbIn0[i] = s2 >= 3 ? channel0[i] : 0.0;
    reverbIn1[i] = s2 >= 3 ? channel1[i] : 0.0;
  }
  // The reverb's output goes where its input was.
  if (v.reverbOn && ReverbReadsAhead(record, v, count)) {
    ReverbAhead(record, v, reverbIn0, reverbIn1, count, reverbIn0, reverbIn1);
  } else {
    for (int32_t i = 0; i < count; ++i) {
      ReverbStep(record, v, reverbIn0[i], reverbIn1[i], reverbIn0[i], reverbIn1[i]);
      if (record.history.reverbLines.live) {
        for (int id = kReverbA; id <= kReverbOut1Diffuser3; ++id)
          Line::Step(record.lines[id]);
      }
    }
  }
  for (int32_t i = 0; i < count; ++i) {
    const double direct0 = s2 == 1 ? channel0[i] : 0.0;
    const double direct1 = s2 == 1 ? channel1[i] : 0.0;
    channel0[i] = delay0[i] + reverbIn0[i] + direct0;
    channel1[i] = delay1[i] + reverbIn1[i] + direct1;
  }
}

}  // namespace Engine
