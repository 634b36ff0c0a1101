// The voice path's own exp, 2^x and tanh against the C library's long-double functions: the
// largest error in units of the last place over the ranges the engine feeds them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "engine/lane_math.h"

namespace {

using namespace Engine::Baseline;

// |got - want| in ulps of the double nearest to want (subnormal ulps below the normal range).
double UlpError(double got, long double want) {
  const double nearest = static_cast<double>(want);
  if (got == nearest) return 0.0;
  int exponent;
  std::frexp(nearest, &exponent);
  const double ulp = std::ldexp(1.0, std::max(exponent - 53, -1074));
  return static_cast<double>(std::fabs(static_cast<long double>(got) - want) / ulp);
}

struct Range {
  const char* function;
  std::function<Lanes(Lanes)> ours;
  std::function<long double(long double)> reference;
  double low, high;
  double maxUlp;
};

TEST(LaneMath, StaysWithinItsUlpBoundOverTheRangesTheEngineUses) {
  const auto exp = [](Lanes x) { return Exp(x); };
  const auto exp2 = [](Lanes x) { return Exp2(x); };
  const auto tanh = [](Lanes x) { return Tanh(x); };
  const auto expl = [](long double x) { return std::exp(x); };
  const auto exp2l = [](long double x) { return std::exp2(x); };
  const auto tanhl = [](long double x) { return std::tanh(x); };
  const Range ranges[] = {
      {"exp (envelopes)", exp, expl, -15, 0, 1},
      {"exp (tube shaper)", exp, expl, -150, 150, 1},
      {"exp (whole range, subnormal results)", exp, expl, -745, 709.7, 1},
      {"exp2 (pitch to frequency)", exp2, exp2l, 0, 10.6, 1.5},
      {"exp2 (whole range)", exp2, exp2l, -1074, 1023.9, 1.5},
      {"tanh (filter and saturation)", tanh, tanhl, -25, 25, 3},
      {"tanh (near zero)", tanh, tanhl, -1e-3, 1e-3, 2},
      {"tanh (tiny)", tanh, tanhl, -1e-300, 1e-300, 1},
  };
  std::mt19937_64 random(20);
  for (const Range& r : ranges) {
    std::uniform_real_distribution<double> pick(r.low, r.high);
    double worst = 0.0, at = 0.0;
    for (int i = 0; i < 200000; ++i) {
      const double x = pick(random);
      const double error = UlpError(r.ours(Splat(x))[0], r.reference(x));
      if (error > worst) worst = error, at = x;
    }
    EXPECT_LE(worst, r.maxUlp) << r.function << " at " << at;
  }
}

TEST(LaneMath, EdgesAndSpecialValues) {
  const double inf = INFINITY;
  struct Case {
    double got, want;
  } cases[] = {
      {Exp(Splat(0.0))[0], 1.0},      {Exp(Splat(-746.0))[0], 0.0},
      {Exp(Splat(710.0))[0], inf},    {Exp(Splat(-inf))[0], 0.0},
      {Exp2(Splat(10.0))[0], 1024.0}, {Exp2(Splat(-1074.0))[0], 0x1p-1074},
      {Exp2(Splat(1024.0))[0], inf},  {Tanh(Splat(22.0))[0], 1.0},
      {Tanh(Splat(-inf))[0], -1.0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.got, c.want);
  EXPECT_TRUE(std::signbit(Tanh(Splat(-0.0))[0]));
  EXPECT_TRUE(std::isnan(Tanh(Splat(NAN))[0]));
  EXPECT_TRUE(std::isnan(Exp(Splat(NAN))[0]));
}

}  // namespace
