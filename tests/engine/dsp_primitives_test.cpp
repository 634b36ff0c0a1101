// The engine's building blocks: guarded arithmetic, phases, the cosine oscillator, noise and
// delay lines.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/dsp_primitives.h"

namespace {

using namespace Dsp;

TEST(GuardedArithmetic, FlushesOnlyTinyMagnitudes) {
  EXPECT_EQ(FixDenormal(1e-310), 0.0);
  EXPECT_EQ(FixDenormal(-3e-308), 0.0);
  EXPECT_TRUE(std::signbit(FixDenormal(-0.0)));
  EXPECT_EQ(FixDenormal(5e-308), 5e-308);
  EXPECT_TRUE(std::isinf(FixDenormal(INFINITY)));
  EXPECT_TRUE(std::isnan(FixDenormal(NAN)));
}

TEST(GuardedArithmetic, DivisionByZeroAndHugePowersGiveZero) {
  EXPECT_EQ(SafeDiv(1, 0), 0.0);
  EXPECT_EQ(SafeDiv(1, 4), 0.25);
  EXPECT_EQ(SafePow(10, 400), 0.0);
  EXPECT_EQ(SafePow(-1, 0.5), 0.0);
  EXPECT_EQ(SafePow(2, 10), 1024.0);
}

TEST(PhaseAccumulator, WrapsIntoUnitInterval) {
  double phase = 0.9;
  EXPECT_NEAR(PhaseStep(phase, 0.2, 1.0), 0.1, 1e-12);
  phase = 0.1;
  EXPECT_NEAR(PhaseStep(phase, -0.2, 1.0), 0.9, 1e-12);
  phase = 0.5;
  EXPECT_EQ(PhaseStep(phase, -1.5, 1.0), 0.0);
  phase = 0.0;
  EXPECT_LT(PhaseStep(phase, -1e-30, 1.0), 1.0);
}

TEST(CosineOscillator, StepsThroughQuarterPeriods) {
  CosineTable table;
  ASSERT_NE(table.entries, nullptr);
  CosineOsc osc{0, 1u << 30};
  EXPECT_EQ(CosineOsc::Next(osc, table.entries), 1.0);
  EXPECT_NEAR(CosineOsc::Next(osc, table.entries), 0.0, 1e-12);
  EXPECT_NEAR(CosineOsc::Next(osc, table.entries), -1.0, 1e-12);
  EXPECT_NEAR(CosineOsc::Next(osc, table.entries), 0.0, 1e-12);
  EXPECT_EQ(osc.phase, 0u);
  CosineTable::Free(table);
}

TEST(Noise, FirstValuesFromStartSeed) {
  uint32_t seed = kNoiseSeedStart;
  EXPECT_EQ(NextNoise(seed), -0.4726884365081787);
  EXPECT_EQ(seed, 1017233273u);
  EXPECT_EQ(NextNoise(seed), 0.013825416564941406);
  EXPECT_EQ(NextNoise(seed), 0.48511195182800293);
  EXPECT_EQ(seed, 811535379u);
}

class DelayLineTest : public ::testing::Test {
 protected:
  void TearDown() override { DelayLine::Free(line); }
  DelayLine line{};
};

TEST_F(DelayLineTest, SizesToPowersOfTwo) {
  const int32_t cases[][2] = {{0, 2}, {1, 2},         {2, 2},          {5, 8},
                              {8, 8}, {44100, 65536}, {500000, 524288}};
  for (const auto& c : cases) {
    DelayLine fresh{};
    ASSERT_TRUE(DelayLine::Init(fresh, c[0]));
    EXPECT_EQ(fresh.size, c[1]) << c[0];
    EXPECT_EQ(fresh.mask, c[1] - 1);
    DelayLine::Free(fresh);
  }
}

TEST_F(DelayLineTest, ReadsBeforeAndAfterThisSamplesWrite) {
  ASSERT_TRUE(DelayLine::Init(line, 16));
  DelayLine::Write(line, 3.0);
  DelayLine::Step(line);
  EXPECT_EQ(DelayLine::ReadLinear(line, 0), 3.0);  // before the write: one sample old
  DelayLine::Write(line, 7.0);
  EXPECT_EQ(DelayLine::ReadLinear(line, 0), 7.0);  // after it: the value just written
  EXPECT_EQ(DelayLine::ReadLinear(line, 1), 3.0);
  EXPECT_EQ(DelayLine::ReadLinear(line, 0.5), 5.0);
  EXPECT_EQ(DelayLine::Read(line, 1.5), 3.0);  // rounds half down
}

TEST_F(DelayLineTest, LongReadsStopAtTheMaximumDelay) {
  ASSERT_TRUE(DelayLine::Init(line, 5));
  for (int i = 1; i <= 8; ++i) {
    DelayLine::Write(line, i);
    DelayLine::Step(line);
  }
  // Head is at the cell after the value 8; five samples back holds 4.
  EXPECT_EQ(DelayLine::ReadLinear(line, 5), 4.0);
  EXPECT_EQ(DelayLine::ReadLinear(line, 7), 4.0);
}

TEST_F(DelayLineTest, ResetClearsAndGrowsButNeverShrinks) {
  ASSERT_TRUE(DelayLine::Init(line, 100));
  DelayLine::Write(line, 1.0);
  ASSERT_TRUE(DelayLine::Init(line, 10));
  EXPECT_EQ(line.size, 128);
  EXPECT_EQ(line.maxDelay, 100);
  EXPECT_EQ(DelayLine::ReadLinear(line, 0), 0.0);
  ASSERT_TRUE(DelayLine::Init(line, 1000));
  EXPECT_EQ(line.size, 1024);
  EXPECT_EQ(line.maxDelay, 1000);
}

TEST_F(DelayLineTest, FailedAllocationLeavesNoMemoryAndIsReported) {
  FailAllocationsAfter(0);
  EXPECT_FALSE(DelayLine::Init(line, 1000));
  FailAllocationsAfter(-1);
  EXPECT_EQ(line.cells, nullptr);
  EXPECT_TRUE(DelayLine::Init(line, 1000));  // a later attempt succeeds
  EXPECT_NE(line.cells, nullptr);
}

}  // namespace
