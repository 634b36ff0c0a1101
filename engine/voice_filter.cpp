#include "engine/voice_filter.h"

#include <cmath>

namespace Engine {
namespace {

using Dsp::FixDenormal;

// tanh(1.154 v) / tanh(1.154), so that Saturate(1) = 1.
double Saturate(double v) {
  return Dsp::Tanh(1.154 * v) * 1.2208896211262;
}

double VoiceHighPass(VoiceState& voice, double G, double inverseOnePlusG, double x) {
  const double lowPart = (G * x + voice.highPassState) * inverseOnePlusG;
  voice.highPassState = FixDenormal(G * (x - lowPart) + lowPart);
  return x - lowPart;
}

double DcBlock(double& previousInput, double& previousOutput, double x) {
  const double y = x - previousInput + 0.9997 * previousOutput;
  previousInput = FixDenormal(x);
  previousOutput = FixDenormal(y);
  return y;
}

void ComputeLowPassCoefficients(LowPassCache& c, double g, double k) {
  const double g2 = g * g, g3 = g2 * g, g4 = g3 * g;
  const double D = 1 + 8 * g + 20 * g2 + 16 * g3 + 2 * g4;
  c.g = g;
  c.inverseD = D == 0 ? 0.0 : 1 / D;
  c.G4 = 2 * g4 * c.inverseD;
  const double loop = 1 + k * c.G4;
  c.inverseLoop = loop == 0 ? 0.0 : 1 / loop;
  c.b[0] = 9 * g2 + 6 * g + 1 + 2 * g3;
  c.b[1] = 2 * g3 + g2;
  c.b[2] = 4 * g2 + g + 2 * g3;
  c.b[3] = g3;
  c.n1[0] = 12 * g2 + 2 * g + 20 * g3 + 8 * g4;
  c.n1[1] = 2 * g3;
  c.n1[2] = 8 * g2 + 2 * g + 6 * g3;
  c.n1[3] = 2 * g2 + 4 * g3;
  c.n1[4] = 10 * g2 + 6 * g + 1 + 4 * g3;
  c.n2[0] = 8 * g3 + 2 * g2 + 6 * g4;
  c.n2[1] = 2 * g3 + g2;
  c.n2[2] = 11 * g2 + 6 * g + 1 + 6 * g3;
  c.n2[3] = 4 * g3 + 4 * g2 + g;
  c.n2[4] = 3 * g3 + 4 * g2 + g;
  c.n3[0] = 4 * g4 + 2 * g3;
  c.n3[1] = 4 * g2 + g + 2 * g3;
  c.n3[2] = 4 * g3 + 4 * g2 + g;
  c.n3[3] = 10 * g2 + 6 * g + 1 + 4 * g3;
  c.n3[4] = 2 * g3 + g2;
}

// Four trapezoidal integrators solved in closed form (no iteration); the input is saturated with
// tanh after subtracting the resonance feedback estimated from the linear solution.
double VoiceLowPass(double* s, const LowPassCache& c, double k, double d) {
  const double s1 = s[0], s2 = s[1], s3 = s[2], s4 = s[3];
  const double g = c.g;
  const double B = (s2 * c.b[1] + s4 * c.b[3] + s3 * c.b[2] + s1 * c.b[0]) * c.inverseD;
  const double estimate = (d * c.G4 + B) * c.inverseLoop;
  const double u = Dsp::Tanh(d - k * estimate);
  const double N1 =
      (c.n1[0] * u + c.n1[4] * s4 + c.n1[2] * s2 + c.n1[3] * s3 + c.n1[1] * s1) * c.inverseD;
  const double N2 =
      (c.n2[0] * u + c.n2[4] * s4 + c.n2[2] * s2 + c.n2[3] * s3 + c.n2[1] * s1) * c.inverseD;
  const double N3 =
      (c.n3[0] * u + c.n3[4] * s4 + c.n3[2] * s2 + c.n3[3] * s3 + c.n3[1] * s1) * c.inverseD;
  const double N4 = u * c.G4 + B;
  s[3] = FixDenormal(s4 + 4 * g * (u - N1 + N2));
  s[1] = FixDenormal(s2 + 2 * g * (N1 - 2 * N2 + N3));
  s[2] = FixDenormal(s3 + 2 * g * (N2 - 2 * N3 + N4));
  s[0] = FixDenormal(s1 + 2 * g * (N3 - 2 * N4));
  return N2 * (1 + k / 2);
}

}  // namespace

double VoiceFilterStep(VoiceState& voice, const FilterInputs& in, double x) {
  const double h = VoiceHighPass(voice, in.highPassCoefficient, in.highPassInverse, x);
  const double d = DcBlock(voice.dcBlocker1Input, voice.dcBlocker1Output, h);

  LowPassCache& cache = voice.lowPassCache;
  if (!cache.valid || cache.cutoff != in.cutoff || cache.resonance != in.resonance) {
    const double frequency = 13.75 * std::exp2(10 * (0.9966 * in.cutoff + 0.0541));
    const double g = in.sampleRate == 0 ? 0.0 : Dsp::kPi * frequency / in.sampleRate;
    ComputeLowPassCoefficients(cache, g, in.resonance);
    cache.valid = true;
    cache.cutoff = in.cutoff;
    cache.resonance = in.resonance;
  }
  const double y = VoiceLowPass(voice.lowPass, cache, in.resonance, d);

  // Twice oversampled: the shaped points y[n-2], midpoint, y[n-1] averaged 1/4, 1/2, 1/4.
  const double edge = Saturate(voice.saturationPreviousInput);
  const double mid = Saturate((voice.saturationPreviousInput + y) / 2);
  const double w = ((voice.saturationPreviousEdge + edge) / 2 + voice.saturationPreviousMid) / 2;
  voice.saturationPreviousEdge = FixDenormal(edge);
  voice.saturationPreviousMid = FixDenormal(mid);
  voice.saturationPreviousInput = FixDenormal(y);

  return DcBlock(voice.dcBlocker2Input, voice.dcBlocker2Output, w);
}

}  // namespace Engine
