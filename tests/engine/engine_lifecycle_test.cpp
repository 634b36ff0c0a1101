// Creation, reset, buffers and errors: what callers can rely on when things go wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/dsp_primitives.h"
#include "tests/engine/render_helper.h"

namespace {

using namespace EngineTest;
namespace P = EngineParam;

constexpr double kGarbage = 123.0;

struct Buffers {
  explicit Buffers(int32_t frames)
      : in0(frames), in1(frames), out0(frames, kGarbage), out1(frames, kGarbage) {}
  std::vector<double> in0, in1, out0, out1;
  double* inputs[2] = {in0.data(), in1.data()};
  double* outputs[2] = {out0.data(), out1.data()};
  bool OutputsAre(double value) const {
    for (size_t i = 0; i < out0.size(); ++i) {
      if (out0[i] != value || out1[i] != value) return false;
    }
    return true;
  }
};

TEST(EngineLifecycle, CreateRefusesUnusableSampleRates) {
  const double bad[] = {0.0, -44100.0, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN(), 1e12};
  for (double rate : bad)
    EXPECT_EQ(SynthEngine::Create(rate), nullptr) << rate;
  SynthEngine::Destroy(nullptr);
}

TEST(EngineLifecycle, ZeroFramesWriteNothing) {
  EngineFixture fx;
  Buffers b(16);
  EXPECT_EQ(SynthEngine::Perform(fx.engine(), b.inputs, 2, b.outputs, 2, 0), 0);
  EXPECT_TRUE(b.OutputsAre(kGarbage));
}

TEST(EngineLifecycle, NegativeFrameCountIsRefusedAndChangesNothing) {
  EngineFixture fx;
  Buffers b(16);
  EXPECT_EQ(SynthEngine::Perform(fx.engine(), b.inputs, 2, b.outputs, 2, -5),
            SynthEngine::kErrorFrameCount);
  EXPECT_TRUE(b.OutputsAre(kGarbage));
  EXPECT_EQ(SynthEngine::Perform(fx.engine(), b.inputs, 2, b.outputs, 2, 16), 0);
}

// The next block fails with `error` and zeros, until a reset at `rate` lets a note sound again.
void ExpectErrorUntilReset(EngineFixture& fx, int32_t error, double rate) {
  Buffers b(64);
  EXPECT_EQ(SynthEngine::Perform(fx.engine(), b.inputs, 2, b.outputs, 2, 64), error);
  EXPECT_TRUE(b.OutputsAre(0.0));
  SynthEngine::Reset(fx.engine(), rate, 1024);
  fx.NoteOn(0, 69);
  const Stereo out = fx.Render(8192);
  EXPECT_GT(PeakBetween(out.left, 0, 8192), 0.05);
}

// Every missing buffer (or a count below two) gives 101 with zeros in each output that exists
// within the stated count; the error sticks until the next reset.
TEST(EngineLifecycle, MissingBuffersGiveError101WithZerosUntilReset) {
  struct Case {
    const char* what;
    bool input0, input1, output0, output1;
    int32_t outputCount;
  };
  const Case cases[] = {
      {"second output missing", true, true, true, false, 2},
      {"second input missing", true, false, true, true, 2},
      {"one output stated", true, true, true, true, 1},
      {"nothing", false, false, false, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EngineFixture fx;
    fx.NoteOn(0, 69);
    Buffers b(64);
    double* inputs[2] = {c.input0 ? b.in0.data() : nullptr, c.input1 ? b.in1.data() : nullptr};
    double* outputs[2] = {c.output0 ? b.out0.data() : nullptr, c.output1 ? b.out1.data() : nullptr};
    EXPECT_EQ(SynthEngine::Perform(fx.engine(), inputs, 2, outputs, c.outputCount, 64),
              SynthEngine::kErrorBuffers);
    for (size_t i = 0; i < b.out0.size(); ++i) {
      EXPECT_EQ(b.out0[i], c.output0 ? 0.0 : kGarbage);
      EXPECT_EQ(b.out1[i], c.output1 && c.outputCount == 2 ? 0.0 : kGarbage);
    }
    ExpectErrorUntilReset(fx, SynthEngine::kErrorBuffers, 44100.0);
  }
  EXPECT_EQ(SynthEngine::Perform(EngineFixture().engine(), nullptr, 2, nullptr, 2, 8),
            SynthEngine::kErrorBuffers);
}

TEST(EngineLifecycle, NullEngineWritesZeros) {
  Buffers b(8);
  EXPECT_EQ(SynthEngine::Perform(nullptr, b.inputs, 2, b.outputs, 2, 8), SynthEngine::kErrorMemory);
  EXPECT_TRUE(b.OutputsAre(0.0));
  SynthEngine::Reset(nullptr, 44100, 1024);
  SynthEngine::SetParameter(nullptr, 0, 1.0);
}

TEST(EngineLifecycle, RefusedResetKeepsRateAndParameters) {
  EngineFixture fx;
  fx.Set({{P::NoiseLevel, 0.0}, {P::Osc2Level, 0.0}});
  fx.NoteOn(0, 69);
  for (double rate : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
    SynthEngine::Reset(fx.engine(), rate, 1024);
  }
  SynthEngine::Reset(fx.engine(), 44100.0, -1);
  const Stereo out = fx.Render(44100);
  for (double x : out.left)
    ASSERT_TRUE(std::isfinite(x));
  EXPECT_NEAR(PitchFrequency(out.left, 44100, 11025, 44100), 440.0, 0.5);
}

TEST(EngineLifecycle, ResetRestoresDefaultsAndUsesTheNewRate) {
  EngineFixture fx(44100.0);
  fx.NoteOn(0, 60);
  fx.Render(1000);
  SynthEngine::Reset(fx.engine(), 96000.0, 512);
  EXPECT_EQ(fx.engine()->sampleRate, 44100.0);  // the header keeps the creation rate
  const Stereo silent = fx.Render(4096);
  EXPECT_EQ(PeakBetween(silent.left, 0, 4096), 0.0);
  fx.Set({{P::NoiseLevel, 0.0}, {P::Osc2Level, 0.0}});
  fx.NoteOn(0, 69);
  const Stereo out = fx.Render(96000);
  EXPECT_NEAR(PitchFrequency(out.left, 96000, 24000, 96000), 440.0, 0.5);
}

TEST(EngineLifecycle, AllocationFailureAtCreateGivesNullNeverAHalfEngine) {
  int created = 0;
  for (int allowed = 0; allowed < 40; ++allowed) {
    Dsp::FailAllocationsAfter(allowed);
    SynthEngineState* engine = SynthEngine::Create(44100.0);
    Dsp::FailAllocationsAfter(-1);
    if (engine == nullptr) continue;
    ++created;
    EXPECT_EQ(engine->parameterCount, 195);
    Buffers b(32);
    EXPECT_EQ(SynthEngine::Perform(engine, b.inputs, 2, b.outputs, 2, 32), 0);
    SynthEngine::Destroy(engine);
  }
  EXPECT_GT(created, 0);
}

TEST(EngineLifecycle, LinesThatCannotGrowGiveAMemoryErrorUntilAResetSucceeds) {
  EngineFixture fx(44100.0);
  fx.NoteOn(0, 69);
  Dsp::FailAllocationsAfter(0);
  SynthEngine::Reset(fx.engine(), 192000.0, 1024);
  Dsp::FailAllocationsAfter(-1);
  ExpectErrorUntilReset(fx, SynthEngine::kErrorMemory, 192000.0);
}

TEST(BadParameterInput, NonFiniteValuesAndUnknownIndicesChangeNothing) {
  EngineFixture reference, probed;
  for (EngineFixture* fx : {&reference, &probed})
    fx->NoteOn(0, 64);
  const double nonFinite[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
  for (int index = 0; index < P::kCount; ++index) {
    for (double value : nonFinite)
      probed.Set(index, value);
  }
  for (uint32_t index : {195u, 196u, 1000u, 0xFFFFFFFFu}) {
    SynthEngine::SetParameter(probed.engine(), index, 0.0);
  }
  EXPECT_EQ(reference.Render(4096).left, probed.Render(4096).left);
}

TEST(BadParameterInput, ValuesAreClampedToTheirRange) {
  auto render = [](double selector, double tempo) {
    EngineFixture fx;
    fx.Set({{P::FXSlot1Selector, selector},
            {P::FXSlot1BitcrushDistOffOn, 1},
            {P::HostTempoBpm, tempo},
            {P::ArpeggiatorMode, 0.3}});
    fx.NoteOn(0, 60);
    return fx.Render(8192).left;
  };
  EXPECT_EQ(render(9, 120), render(7, 120));  // above the maximum stores the maximum
  EXPECT_EQ(render(0, 120), render(1, 120));  // below the minimum stores the minimum
  EXPECT_EQ(render(1, -5), render(1, 0));
  const std::vector<double> stopped = render(1, -5);
  EXPECT_EQ(PeakBetween(stopped, 0, stopped.size()), 0.0);  // no tempo: the arpeggiator rests
}

}  // namespace
