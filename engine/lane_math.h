// exp, 2^x and tanh on lanes, built from additions, multiplications and one division only, so the
// wide and the baseline voice path compute them to the same bits on every platform. Each reduces
// its argument to a power of two times a short range where a polynomial (Taylor coefficients,
// evaluated by pairs) is accurate to well below an ulp; the results are within about two ulp of
// the exact values (engine tests measure them against the C library). Any thread; no allocation.
#pragma once

#include "engine/lanes.h"

namespace Engine {
namespace TOVALUNE_LANES {
namespace LaneMath {

constexpr double kLog2E = 1.4426950408889634;
// ln 2 split so that k * kLn2High is exact for |k| < 2^21.
constexpr double kLn2High = 0x1.62e42fee00000p-1;
constexpr double kLn2Low = 0x1.a39ef35793c76p-33;

// Nearest integer for |x| < 2^51.
inline Lanes RoundToInteger(Lanes x) {
  constexpr double kShift = 1.5 * kTwoPow52;
  return (x + kShift) - kShift;
}

// c[0] + c[1] x + ... + c[11] x^11, summed by pairs (a shorter chain of dependent operations).
inline Lanes Polynomial(Lanes x, const double (&c)[12]) {
  const Lanes x2 = x * x;
  const Lanes x4 = x2 * x2;
  const Lanes low = (c[0] + x * c[1]) + x2 * (c[2] + x * c[3]);
  const Lanes middle = (c[4] + x * c[5]) + x2 * (c[6] + x * c[7]);
  const Lanes high = (c[8] + x * c[9]) + x2 * (c[10] + x * c[11]);
  return low + x4 * (middle + x4 * high);
}

// e^r - 1 for |r| <= ln(2) / 2: r + r^2 / 2 + r^3 (1/3! + r/4! + ... + r^11/14!).
inline Lanes ExpM1Reduced(Lanes r) {
  static constexpr double kInverseFactorials[12] = {
      0.16666666666666666,   0.041666666666666664, 0.008333333333333333,   0.001388888888888889,
      0.0001984126984126984, 2.48015873015873e-05, 2.7557319223985893e-06, 2.755731922398589e-07,
      2.505210838544172e-08, 2.08767569878681e-09, 1.6059043836821613e-10, 1.1470745597729725e-11};
  const Lanes r2 = r * r;
  return r + (r2 * 0.5 + (r2 * r) * Polynomial(r, kInverseFactorials));
}

// 2^f - 1 for |f| <= 1/2: the series of e^(f ln 2), whose coefficients are ln(2)^n / n!.
inline Lanes Exp2M1Reduced(Lanes f) {
  static constexpr double kCoefficients[12] = {
      0.24022650695910072,    0.05550410866482158,    0.009618129107628477,
      0.0013333558146428443,  0.0001540353039338161,  1.5252733804059841e-05,
      1.321548679014431e-06,  1.01780860092397e-07,   7.054911620801123e-09,
      4.4455382718708116e-10, 2.5678435993488206e-11, 1.3691488853904128e-12};
  return f * 0.6931471805599453 + (f * f) * Polynomial(f, kCoefficients);
}

// x 2^k for x near 1 and integral k in [-1080, 1030], in two steps: the first exact, the second
// rounding only a result outside the normal range.
inline Lanes ScaleByPowerOfTwo(Lanes x, Lanes k) {
  const Lanes inRange = Clamp(k, -1000.0, 1000.0);
  return (x * PowerOfTwo(inRange)) * PowerOfTwo(k - inRange);
}

// e^r with r = x - k ln 2 in [-ln(2) / 2, ln(2) / 2].
inline Lanes ReducedByLn2(Lanes x, Lanes& k) {
  k = RoundToInteger(x * kLog2E);
  return (x - k * kLn2High) - k * kLn2Low;
}

}  // namespace LaneMath

// e^x; below -746 the result is 0, above 710 infinity.
inline Lanes Exp(Lanes x) {
  using namespace LaneMath;
  Lanes k;
  const Lanes r = ReducedByLn2(Clamp(x, -746.0, 710.0), k);
  return ScaleByPowerOfTwo(1.0 + ExpM1Reduced(r), k);
}

// 2^x; below -1080 the result is 0, above 1030 infinity.
inline Lanes Exp2(Lanes x) {
  using namespace LaneMath;
  const Lanes clamped = Clamp(x, -1080.0, 1030.0);
  const Lanes k = RoundToInteger(clamped);
  return ScaleByPowerOfTwo(1.0 + Exp2M1Reduced(clamped - k), k);
}

// tanh x = -m / (2 + m) with m = e^(-2|x|) - 1, signed like x. Below -44 the exponent would only
// bring m closer to -1 than a double resolves, so from |x| = 22 on m is -1 and the result +-1.
inline Lanes Tanh(Lanes x) {
  using namespace LaneMath;
  Lanes k;
  const Lanes r = ReducedByLn2(Max(Splat(-44.0), -2.0 * Abs(x)), k);
  const Lanes scale = PowerOfTwo(k);
  const Lanes m = (scale - 1.0) + scale * ExpM1Reduced(r);
  const Lanes magnitude = (0.0 - m) / (2.0 + m);  // +0, never -0, at x = 0
  return FromBits(Bits(magnitude) | (Bits(x) & 0x8000000000000000u));
}

}  // namespace TOVALUNE_LANES
}  // namespace Engine
