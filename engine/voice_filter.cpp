#include "engine/voice_filter.h"

#include "engine/lane_math.h"

namespace Engine {
namespace TOVALUNE_LANES {
namespace {

constexpr double kPi = 3.141592653589793;

// tanh(1.154 v) / tanh(1.154), so that Saturate(1) = 1.
Lanes Saturate(Lanes v) {
  return Tanh(1.154 * v) * 1.2208896211262;
}

template <class Group>
Lanes DcBlock(double* previousInput, double* previousOutput, Lanes x, const Group& g) {
  const Lanes y = x - g.Get(previousInput) + 0.9997 * g.Get(previousOutput);
  g.Set(previousInput, FixDenormal(x));
  g.Set(previousOutput, FixDenormal(y));
  return y;
}

Lanes Reciprocal(Lanes x) {
  const LaneMask zero = x == 0.0;
  return Select(zero, Splat(0.0), 1.0 / Select(zero, Splat(1.0), x));
}

template <class Group>
void ComputeLowPassCoefficients(LowPassCache& c, Lanes g, double k, const Group& group) {
  const Lanes g2 = g * g, g3 = g2 * g, g4 = g3 * g;
  const Lanes D = 1.0 + 8 * g + 20 * g2 + 16 * g3 + 2 * g4;
  const Lanes inverseD = Reciprocal(D);
  const Lanes G4 = 2 * g4 * inverseD;
  group.Put(c.g, g);
  group.Put(c.inverseD, inverseD);
  group.Put(c.G4, G4);
  group.Put(c.inverseLoop, Reciprocal(1.0 + k * G4));
  group.Put(c.b[0], 9 * g2 + 6 * g + 1.0 + 2 * g3);
  group.Put(c.b[1], 2 * g3 + g2);
  group.Put(c.b[2], 4 * g2 + g + 2 * g3);
  group.Put(c.b[3], g3);
  group.Put(c.n1[0], 12 * g2 + 2 * g + 20 * g3 + 8 * g4);
  group.Put(c.n1[1], 2 * g3);
  group.Put(c.n1[2], 8 * g2 + 2 * g + 6 * g3);
  group.Put(c.n1[3], 2 * g2 + 4 * g3);
  group.Put(c.n1[4], 10 * g2 + 6 * g + 1.0 + 4 * g3);
  group.Put(c.n2[0], 8 * g3 + 2 * g2 + 6 * g4);
  group.Put(c.n2[1], 2 * g3 + g2);
  group.Put(c.n2[2], 11 * g2 + 6 * g + 1.0 + 6 * g3);
  group.Put(c.n2[3], 4 * g3 + 4 * g2 + g);
  group.Put(c.n2[4], 3 * g3 + 4 * g2 + g);
  group.Put(c.n3[0], 4 * g4 + 2 * g3);
  group.Put(c.n3[1], 4 * g2 + g + 2 * g3);
  group.Put(c.n3[2], 4 * g3 + 4 * g2 + g);
  group.Put(c.n3[3], 10 * g2 + 6 * g + 1.0 + 4 * g3);
  group.Put(c.n3[4], 2 * g3 + g2);
}

// Four trapezoidal integrators solved in closed form (no iteration); the input is saturated with
// tanh after subtracting the resonance feedback estimated from the linear solution.
template <class Group>
Lanes VoiceLowPass(VoiceLanes* s, const LowPassCache& c, double k, Lanes d, const Group& g) {
  const Lanes s1 = g.Get(s[0]), s2 = g.Get(s[1]), s3 = g.Get(s[2]), s4 = g.Get(s[3]);
  const Lanes gain = g.Get(c.g), inverseD = g.Get(c.inverseD), G4 = g.Get(c.G4);
  auto weight = [&g](const VoiceLanes& w) { return g.Get(w); };
  const Lanes B =
      (s2 * weight(c.b[1]) + s4 * weight(c.b[3]) + s3 * weight(c.b[2]) + s1 * weight(c.b[0])) *
      inverseD;
  const Lanes estimate = (d * G4 + B) * g.Get(c.inverseLoop);
  const Lanes u = Tanh(d - k * estimate);
  const Lanes N1 = (weight(c.n1[0]) * u + weight(c.n1[4]) * s4 + weight(c.n1[2]) * s2 +
                    weight(c.n1[3]) * s3 + weight(c.n1[1]) * s1) *
                   inverseD;
  const Lanes N2 = (weight(c.n2[0]) * u + weight(c.n2[4]) * s4 + weight(c.n2[2]) * s2 +
                    weight(c.n2[3]) * s3 + weight(c.n2[1]) * s1) *
                   inverseD;
  const Lanes N3 = (weight(c.n3[0]) * u + weight(c.n3[4]) * s4 + weight(c.n3[2]) * s2 +
                    weight(c.n3[3]) * s3 + weight(c.n3[1]) * s1) *
                   inverseD;
  const Lanes N4 = u * G4 + B;
  g.Set(s[3], FixDenormal(s4 + 4 * gain * (u - N1 + N2)));
  g.Set(s[1], FixDenormal(s2 + 2 * gain * (N1 - 2 * N2 + N3)));
  g.Set(s[2], FixDenormal(s3 + 2 * gain * (N2 - 2 * N3 + N4)));
  g.Set(s[0], FixDenormal(s1 + 2 * gain * (N3 - 2 * N4)));
  return N2 * (1 + k / 2);
}

}  // namespace

template <class Group>
Lanes VoiceFilterStep(VoiceState& voices, const FilterInputs& in, Lanes x, const Group& g) {
  const double G = in.highPassCoefficient;
  const Lanes lowPart = (G * x + g.Get(voices.highPassState)) * in.highPassInverse;
  g.Set(voices.highPassState, FixDenormal(G * (x - lowPart) + lowPart));
  const Lanes h = x - lowPart;
  const Lanes d = DcBlock(voices.dcBlocker1Input, voices.dcBlocker1Output, h, g);

  LowPassCache& cache = voices.lowPassCache;
  const LaneMask same =
      (g.Get(cache.cutoff) == in.cutoff) & (g.Get(cache.resonance) == in.resonance);
  if (MaskBits(same) != kAllLanes) {
    const Lanes frequency = 13.75 * Exp2(10.0 * (0.9966 * in.cutoff + 0.0541));
    const Lanes gain = in.sampleRate == 0 ? Splat(0.0) : kPi * frequency / in.sampleRate;
    ComputeLowPassCoefficients(cache, gain, in.resonance, g);
    g.Put(cache.cutoff, in.cutoff);
    g.Put(cache.resonance, Splat(in.resonance));
  }
  const Lanes y = VoiceLowPass(voices.lowPass, cache, in.resonance, d, g);

  // Twice oversampled: the shaped points y[n-2], midpoint, y[n-1] averaged 1/4, 1/2, 1/4.
  const Lanes previous = g.Get(voices.saturationPreviousInput);
  const Lanes edge = Saturate(previous);
  const Lanes mid = Saturate((previous + y) / 2);
  const Lanes w =
      ((g.Get(voices.saturationPreviousEdge) + edge) / 2 + g.Get(voices.saturationPreviousMid)) / 2;
  g.Set(voices.saturationPreviousEdge, FixDenormal(edge));
  g.Set(voices.saturationPreviousMid, FixDenormal(mid));
  g.Set(voices.saturationPreviousInput, FixDenormal(y));

  return DcBlock(voices.dcBlocker2Input, voices.dcBlocker2Output, w, g);
}

template Lanes VoiceFilterStep(VoiceState&, const FilterInputs&, Lanes, const EveryLane&);
template Lanes VoiceFilterStep(VoiceState&, const FilterInputs&, Lanes, const SomeLanes&);

}  // namespace TOVALUNE_LANES
}  // namespace Engine
