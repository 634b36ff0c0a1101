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

// The low-pass solved in closed form is affine in its saturated input u: every new state is the
// old one plus a weighted sum of the four states and u, and the output a weighted sum of the
// same, so only one multiply-add per value follows the tanh. The weights depend on the cutoff
// and the resonance alone. With g >= 0 and k >= 0 neither D nor 1 + k G4 is ever below 1.
template <class Group>
void ComputeLowPassCoefficients(LowPassCache& c, Lanes g, double k, const Group& group) {
  const Lanes g2 = g * g, g3 = g2 * g, g4 = g3 * g;
  const Lanes inverseD = 1.0 / (1.0 + 8 * g + 20 * g2 + 16 * g3 + 2 * g4);
  const Lanes G4 = 2 * g4 * inverseD;
  const Lanes inverseLoop = 1.0 / (1.0 + k * G4);
  // D times the weights of s1..s4 in B and in N1, N2, N3, and the weights of u in N1..N4.
  const Lanes b[4] = {9 * g2 + 6 * g + 1.0 + 2 * g3, 2 * g3 + g2, 4 * g2 + g + 2 * g3, g3};
  const Lanes n[3][4] = {
      {2 * g3, 8 * g2 + 2 * g + 6 * g3, 2 * g2 + 4 * g3, 10 * g2 + 6 * g + 1.0 + 4 * g3},
      {2 * g3 + g2, 11 * g2 + 6 * g + 1.0 + 6 * g3, 4 * g3 + 4 * g2 + g, 3 * g3 + 4 * g2 + g},
      {4 * g2 + g + 2 * g3, 4 * g3 + 4 * g2 + g, 10 * g2 + 6 * g + 1.0 + 4 * g3, 2 * g3 + g2}};
  const Lanes q[4] = {(12 * g2 + 2 * g + 20 * g3 + 8 * g4) * inverseD,
                      (8 * g3 + 2 * g2 + 6 * g4) * inverseD, (4 * g4 + 2 * g3) * inverseD, G4};
  // The tanh's argument: d - k (d G4 + B) / (1 + k G4).
  group.Put(c.inputWeight, 1.0 - k * inverseLoop * G4);
  // s4 += 4g (u - N1 + N2); s2 += 2g (N1 - 2 N2 + N3); s3 += 2g (N2 - 2 N3 + N4);
  // s1 += 2g (N3 - 2 N4), with N4 = u G4 + B.
  const Lanes step = 2 * g * inverseD;
  const Lanes feedback = k * inverseLoop * inverseD;
  const Lanes output = (1 + k / 2) * inverseD;
  for (int j = 0; j < 4; ++j) {
    group.Put(c.feedback[j], feedback * b[j]);
    group.Put(c.change[3][j], 2 * step * (n[1][j] - n[0][j]));
    group.Put(c.change[1][j], step * (n[0][j] - 2 * n[1][j] + n[2][j]));
    group.Put(c.change[2][j], step * (n[1][j] - 2 * n[2][j] + b[j]));
    group.Put(c.change[0][j], step * (n[2][j] - 2 * b[j]));
    group.Put(c.output[j], output * n[1][j]);
  }
  group.Put(c.slope[3], 4 * g * (1.0 - q[0] + q[1]));
  group.Put(c.slope[1], 2 * g * (q[0] - 2 * q[1] + q[2]));
  group.Put(c.slope[2], 2 * g * (q[1] - 2 * q[2] + q[3]));
  group.Put(c.slope[0], 2 * g * (q[2] - 2 * q[3]));
  group.Put(c.outputSlope, q[1] * (1 + k / 2));
}

// Four trapezoidal integrators solved in closed form (no iteration); the input is saturated with
// tanh after subtracting the resonance feedback estimated from the linear solution.
template <class Group>
Lanes VoiceLowPass(VoiceLanes* s, const LowPassCache& c, Lanes d, const Group& g) {
  const Lanes state[4] = {g.Get(s[0]), g.Get(s[1]), g.Get(s[2]), g.Get(s[3])};
  // Sums of the states weighted by row: (w0 s1 + w1 s2) + (w2 s3 + w3 s4).
  auto weighted = [&g, &state](const VoiceLanes* w) {
    return (g.Get(w[0]) * state[0] + g.Get(w[1]) * state[1]) +
           (g.Get(w[2]) * state[2] + g.Get(w[3]) * state[3]);
  };
  const Lanes u = Tanh(g.Get(c.inputWeight) * d - weighted(c.feedback));
  for (int j = 0; j < 4; ++j) {
    const Lanes change = weighted(c.change[j]) + g.Get(c.slope[j]) * u;
    g.Set(s[j], FixDenormal(state[j] + change));
  }
  return weighted(c.output) + g.Get(c.outputSlope) * u;
}

}  // namespace

template <class Group>
Lanes VoiceLowPassStep(VoiceState& voices, const FilterInputs& in, Lanes x, const Group& g) {
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
  return VoiceLowPass(voices.lowPass, cache, d, g);
}

template <class Group>
Lanes VoiceSaturationStep(VoiceState& voices, Lanes y, const Group& g) {
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

template Lanes VoiceLowPassStep(VoiceState&, const FilterInputs&, Lanes, const EveryLane&);
template Lanes VoiceLowPassStep(VoiceState&, const FilterInputs&, Lanes, const SomeLanes&);
template Lanes VoiceSaturationStep(VoiceState&, Lanes, const EveryLane&);
template Lanes VoiceSaturationStep(VoiceState&, Lanes, const SomeLanes&);

}  // namespace TOVALUNE_LANES
}  // namespace Engine
