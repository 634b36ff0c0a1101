// The process call: parameter changes, note events, transport, and how the
// channels are bound to the host's buffers in both sample sizes.
#include <algorithm>
#include <cmath>

#include "binding_fixture.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr float kMarker = 7.0f;

ProcessContext ContextWithTempo(double tempo, uint32 state = ProcessContext::kTempoValid) {
  ProcessContext context{};
  context.state = state;
  context.sampleRate = 44100.0;
  context.tempo = tempo;
  context.timeSigNumerator = 3;
  context.timeSigDenominator = 8;
  return context;
}

}  // namespace

TEST_F(PreparedTestPlugin, OnlyTheLastPointOfAQueueCounts) {
  plugin->changedParams.clear();
  TestParameterChanges changes;
  changes.Add(3, {0.2, 0.5, 0.9});
  TestAudioBlock block(32);
  ASSERT_EQ(session.Process(block, kSample32, &changes), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(3)->Value(), 0.9);
  EXPECT_EQ(std::count(plugin->changedParams.begin(), plugin->changedParams.end(), 3), 1);
}

TEST_F(PreparedTestPlugin, HostValuesAreClampedAndBadQueuesSkipped) {
  TestParameterChanges changes;
  changes.Add(0, {1.7});
  changes.Add(1, {-0.5});
  changes.Add(4, {0.8}).unreadable = true;
  changes.Add(5, {});
  changes.Add(6, {std::nan("")});
  changes.Add(9999, {0.5});
  TestAudioBlock block(32);
  ASSERT_EQ(session.Process(block, kSample32, &changes), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(0)->Value(), 100.0);
  EXPECT_DOUBLE_EQ(plugin->GetParam(1)->Value(), 20.0);
  EXPECT_DOUBLE_EQ(plugin->GetParam(4)->Value(), 0.25);
  EXPECT_DOUBLE_EQ(plugin->GetParam(6)->Value(), 0.25);
}

TEST_F(PreparedTestPlugin, PresetChangeAtTheTopOfTheRangeLoadsTheLastSlot) {
  plugin->GetParam(7)->SetClamped(0.75);
  TestParameterChanges changes;
  changes.Add(TovaluneVst3Ids::kPresetParamId, {1.0});
  TestAudioBlock block(32);
  ASSERT_EQ(session.Process(block, kSample32, &changes), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(7)->Value(), 0.25);
  EXPECT_EQ(plugin->GetCurrentPresetIdx(), 0);
}

TEST_F(PreparedTestPlugin, BypassPassesTheInputsThrough) {
  TestParameterChanges changes;
  changes.Add(TovaluneVst3Ids::kBypassParamId, {0.0, 1.0});
  TestAudioBlock block(16);
  block.SetInput(0, 3, 0.5);
  block.SetInput(1, 4, -0.25);
  ASSERT_EQ(session.Process(block, kSample32, &changes), kResultOk);
  EXPECT_DOUBLE_EQ(session.controller->getParamNormalized(TovaluneVst3Ids::kBypassParamId), 1.0);
  EXPECT_FLOAT_EQ(block.Output32(0, 0, 3), 0.5f);
  EXPECT_FLOAT_EQ(block.Output32(0, 1, 4), -0.25f);
  EXPECT_FLOAT_EQ(block.Output32(0, 0, 0), 0.0f);

  TestAudioBlock wide(16);
  wide.SetInput(0, 2, 0.75);
  ASSERT_EQ(session.SetupProcessing(kSample64), kResultOk);  // set-up ends the bypass
  changes.queues.clear();
  changes.Add(TovaluneVst3Ids::kBypassParamId, {1.0});
  ASSERT_EQ(session.Process(wide, kSample64, &changes), kResultOk);
  EXPECT_DOUBLE_EQ(wide.Output64(0, 0, 2), 0.75);
}

TEST_F(PreparedTestPlugin, NoteEventsBecomeMaskedMidiMessages) {
  TestEventList events;
  events.AddNoteOn(3, 2, 60, 0.5f);
  events.AddNoteOff(5, 2, 60, 0.9f);
  events.AddNoteOn(6, 17, 64, 1.0f);  // channel above 15: masked to 1
  events.AddNoteOn(7, 0, 128, 1.0f);  // no such pitch: dropped
  events.AddNoteOff(7, 0, -1, 1.0f);  // dropped
  events.AddNoteOn(8, 0, 61, 3.0f);   // velocity clamped to 127
  events.AddOther(9, Event::kPolyPressureEvent);
  events.AddNoteOn(10, 0, 62, 0.5f);
  events.unreadable.back() = true;
  events.AddNoteOn(400, 0, 63, 0.5f);  // beyond the block: at its last frame
  TestAudioBlock block(32);
  ASSERT_EQ(session.Process(block, kSample32, nullptr, &events), kResultOk);

  ASSERT_EQ(plugin->midi.size(), 5u);
  EXPECT_EQ(plugin->midi[0].offset, 3);
  EXPECT_EQ(plugin->midi[0].status, 0x92);
  EXPECT_EQ(plugin->midi[0].data1, 60);
  EXPECT_EQ(plugin->midi[0].data2, 63);
  EXPECT_EQ(plugin->midi[1].status, 0x82);
  EXPECT_EQ(plugin->midi[1].data2, 0);
  EXPECT_EQ(plugin->midi[2].status, 0x91);
  EXPECT_EQ(plugin->midi[3].data2, 127);
  EXPECT_EQ(plugin->midi[4].offset, 31);
}

TEST_F(PreparedTestPlugin, KeepsTheLastValidTempoWhenTheHostGivesNone) {
  EXPECT_DOUBLE_EQ(plugin->GetTempo(), 120.0);
  ProcessContext fast = ContextWithTempo(140.0);
  ProcessContext none = ContextWithTempo(0.0, 0);
  none.timeSigNumerator = 0;
  TestAudioBlock block(16);
  session.Process(block, kSample32, nullptr, nullptr, &fast);
  session.Process(block, kSample32, nullptr, nullptr, &none);
  session.Process(block, kSample32);
  ASSERT_EQ(plugin->tempos.size(), 3u);
  EXPECT_DOUBLE_EQ(plugin->tempos[0], 140.0);
  EXPECT_DOUBLE_EQ(plugin->tempos[1], 140.0);
  EXPECT_DOUBLE_EQ(plugin->tempos[2], 140.0);
  int numerator = 0, denominator = 0;
  plugin->GetTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 3);
  EXPECT_EQ(denominator, 8);
}

TEST_F(PreparedTestPlugin, TransportComesFromTheLastContext) {
  ProcessContext context = ContextWithTempo(100.0, ProcessContext::kPlaying);
  context.projectTimeSamples = 44100;
  context.projectTimeMusic = 8.5;
  context.barPositionMusic = 8.0;
  context.cycleStartMusic = 4.0;
  context.cycleEndMusic = 12.0;
  TestAudioBlock block(16);
  session.Process(block, kSample32, nullptr, nullptr, &context);
  ITransportInfo info;
  plugin->GetTimeInfo(&info);
  EXPECT_DOUBLE_EQ(info.tempo, 100.0);
  EXPECT_DOUBLE_EQ(info.samplePosition, 44100.0);
  EXPECT_DOUBLE_EQ(info.ppqPosition, 8.5);
  EXPECT_DOUBLE_EQ(info.lastBarStartPosition, 8.0);
  EXPECT_DOUBLE_EQ(info.cycleEndPosition, 12.0);
  EXPECT_TRUE(info.transportIsRunning);
  EXPECT_FALSE(info.transportLoopEnabled);
  EXPECT_EQ(plugin->GetSamplePosition(), 44100);
}

TEST_F(PreparedTestPlugin, RendersIntoTheHostsBuffersInEitherSampleSize) {
  for (int32 size : {kSample32, kSample64}) {
    ASSERT_EQ(session.SetupProcessing(size), kResultOk);
    TestAudioBlock block(64, 1, 2, kMarker);
    ASSERT_EQ(session.Process(block, size), kResultOk);
    EXPECT_DOUBLE_EQ(size == kSample64 ? block.Output64(0, 0, 63) : block.Output32(0, 0, 63),
                     TestPlugin::kLevel);
    EXPECT_DOUBLE_EQ(size == kSample64 ? block.Output64(0, 1, 0) : block.Output32(0, 1, 0),
                     2 * TestPlugin::kLevel);
    // 64-bit buffers go to the instrument as they are; afterwards no channel points at them.
    EXPECT_EQ(plugin->lastOutput0 == block.output64[0].data(), size == kSample64);
    EXPECT_NE(plugin->OutputPointers()[0], block.output64[0].data());
  }
}

TEST_F(PreparedTestPlugin, InactiveOutputBusLeavesItsBuffersUntouched) {
  session.component->activateBus(kAudio, kOutput, 0, false);
  TestAudioBlock block(64, 1, 2, kMarker);
  ASSERT_EQ(session.Process(block, kSample32), kResultOk);
  EXPECT_FLOAT_EQ(block.Output32(0, 0, 10), kMarker);
  EXPECT_FLOAT_EQ(block.Output32(0, 1, 10), kMarker);
}

TEST_F(PreparedTestPlugin, BlockWithoutBusesNeverWritesAnEarlierBlocksBuffers) {
  TestAudioBlock first(64, 1, 2, kMarker);
  ASSERT_EQ(session.Process(first, kSample32), kResultOk);
  std::fill(first.output32[0].begin(), first.output32[0].end(), kMarker);

  ProcessData bare;
  bare.symbolicSampleSize = kSample32;
  bare.numSamples = 64;
  ASSERT_EQ(session.processor->process(bare), kResultOk);
  EXPECT_FLOAT_EQ(first.Output32(0, 0, 5), kMarker);
}

TEST_F(PreparedTestPlugin, BusesWithoutChannelBuffersAreSkipped) {
  AudioBusBuffers input, output;
  input.numChannels = 2;
  output.numChannels = 2;  // the host claims two channels but gives no buffers
  ProcessData data;
  data.symbolicSampleSize = kSample32;
  data.numSamples = 64;
  data.numInputs = 1;
  data.inputs = &input;
  data.numOutputs = 1;
  data.outputs = &output;
  EXPECT_EQ(session.processor->process(data), kResultOk);
}

TEST_F(PreparedTestPlugin, RefusesABlockInAnotherSampleSize) {
  TestParameterChanges changes;
  changes.Add(3, {0.9});
  TestAudioBlock block(64, 1, 2, kMarker);
  EXPECT_EQ(session.Process(block, kSample64, &changes), kInvalidArgument);
  EXPECT_DOUBLE_EQ(block.Output64(0, 0, 0), kMarker);
  EXPECT_DOUBLE_EQ(plugin->GetParam(3)->Value(), 0.25);

  ProcessData negative;
  negative.symbolicSampleSize = kSample32;
  negative.numSamples = -5;
  EXPECT_EQ(session.processor->process(negative), kInvalidArgument);
}

TEST_F(PreparedTestPlugin, LongerBlocksThanSetUpRenderInPieces) {
  for (int32 size : {kSample32, kSample64}) {
    ASSERT_EQ(session.SetupProcessing(size, 64), kResultOk);
    plugin->blockFrames.clear();
    TestAudioBlock block(200, 1, 2, kMarker);
    ASSERT_EQ(session.Process(block, size), kResultOk);
    EXPECT_EQ(plugin->blockFrames, (std::vector<int>{64, 64, 64, 8}));
    const double last = size == kSample64 ? block.Output64(0, 1, 199) : block.Output32(0, 1, 199);
    EXPECT_DOUBLE_EQ(last, 2 * TestPlugin::kLevel);
  }
}

TEST_F(PreparedTestPlugin, EmptyBlockStillAppliesParameterChanges) {
  TestParameterChanges changes;
  changes.Add(3, {0.5});
  ProcessData flush;
  flush.symbolicSampleSize = kSample32;
  flush.inputParameterChanges = &changes;
  ASSERT_EQ(session.processor->process(flush), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(3)->Value(), 0.5);
}
