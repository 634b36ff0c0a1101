#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/test_plugin.h"

namespace {

// Host-side float buffers for two inputs and two outputs.
struct HostBuffers {
  explicit HostBuffers(int frames, float outputFill = 0.0f)
      : in{std::vector<float>(frames), std::vector<float>(frames)},
        out{std::vector<float>(frames, outputFill), std::vector<float>(frames, outputFill)} {
    for (int f = 0; f < frames; ++f) {
      in[0][f] = 0.001f * f;
      in[1][f] = -0.002f * f;
    }
    inPtrs[0] = in[0].data();
    inPtrs[1] = in[1].data();
    outPtrs[0] = out[0].data();
    outPtrs[1] = out[1].data();
  }
  std::vector<float> in[2];
  std::vector<float> out[2];
  float* inPtrs[2];
  float* outPtrs[2];
};

void ConnectAll(IPluginCore* plugin) {
  for (int i = 0; i < plugin->NInChannels(); ++i)
    plugin->GetInChannel(i)->connected = true;
  for (int i = 0; i < plugin->NOutChannels(); ++i)
    plugin->GetOutChannel(i)->connected = true;
}

void Attach(IPluginCore* plugin, HostBuffers* host, int frames) {
  plugin->AttachInputBuffers(0, plugin->NInChannels(), host->inPtrs, frames);
  plugin->AttachOutputBuffers(0, plugin->NOutChannels(), host->outPtrs);
}

TEST(IPluginCoreProcessing, TheBaseBlockCopiesBothChannelsExactly) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.SetBlockSize(64);
  HostBuffers host(64);
  Attach(&plugin, &host, 64);
  plugin.ProcessBuffers(64);
  EXPECT_EQ(host.out[0], host.in[0]);
  EXPECT_EQ(host.out[1], host.in[1]);
}

TEST(IPluginCoreProcessing, ABlockLongerThanTheScratchRunsInPieces) {
  TestPlugin plugin;
  plugin.renderRamp = true;
  ConnectAll(&plugin);
  plugin.SetBlockSize(16);
  HostBuffers host(40);
  Attach(&plugin, &host, 40);
  plugin.ProcessBuffers(40);
  EXPECT_EQ(plugin.blockLengths, (std::vector<int>{16, 16, 8}));
  for (int f = 0; f < 40; ++f) {
    ASSERT_FLOAT_EQ(host.out[0][f], static_cast<float>(f));
    ASSERT_FLOAT_EQ(host.out[1][f], static_cast<float>(1000 + f));
  }
}

TEST(IPluginCoreProcessing, LongBlocksOfTheBaseCopyJoinWithoutGaps) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.SetBlockSize(7);
  HostBuffers host(50);
  Attach(&plugin, &host, 50);
  plugin.ProcessBuffers(50);
  EXPECT_EQ(host.out[0], host.in[0]);
}

TEST(IPluginCoreProcessing, WithoutScratchTheHostHearsSilence) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  HostBuffers host(32, 0.5f);
  Attach(&plugin, &host, 32);
  plugin.ProcessBuffers(32);
  EXPECT_TRUE(plugin.blockLengths.empty());
  EXPECT_EQ(host.out[0], std::vector<float>(32, 0.0f));
}

TEST(IPluginCoreProcessing, AccumulatingAddsToTheHostBuffers) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.SetBlockSize(8);
  HostBuffers host(8, 0.5f);
  for (float& v : host.in[0])
    v = 0.25f;
  Attach(&plugin, &host, 8);
  plugin.ProcessBuffersAccumulating(8);
  EXPECT_EQ(host.out[0], std::vector<float>(8, 0.75f));
}

TEST(IPluginCoreProcessing, HostBuffersAreDetachedAfterTheBlock) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.SetBlockSize(8);
  HostBuffers host(8);
  Attach(&plugin, &host, 8);
  plugin.ProcessBuffers(8);
  host.out[0].assign(8, 9.0f);
  plugin.ProcessBuffers(8);  // nothing attached: the old host buffers stay untouched
  EXPECT_EQ(host.out[0], std::vector<float>(8, 9.0f));
  EXPECT_EQ(plugin.GetOutChannel(0)->hostDestination, nullptr);
}

TEST(IPluginCoreProcessing, ADisconnectedInputTakesNoHostPointerAndReadsSilence) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.GetInChannel(0)->connected = false;
  plugin.SetBlockSize(8);
  HostBuffers host(8);
  Attach(&plugin, &host, 8);
  EXPECT_EQ(plugin.GetInChannel(1)->hostSource, host.inPtrs[0]);
  plugin.ProcessBuffers(8);
  EXPECT_EQ(host.out[0], std::vector<float>(8, 0.0f));
  EXPECT_EQ(host.out[1], host.in[0]);
}

TEST(IPluginCoreProcessing, ADisconnectedOutputLeavesItsHostBufferAlone) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.GetOutChannel(0)->connected = false;
  plugin.SetBlockSize(8);
  HostBuffers host(8, 3.0f);
  Attach(&plugin, &host, 8);
  plugin.ProcessBuffers(8);
  EXPECT_EQ(host.out[0], host.in[1]);  // channel 1 took the first host pointer
  EXPECT_EQ(host.out[1], std::vector<float>(8, 3.0f));
}

TEST(IPluginCoreProcessing, InputsShorterThanTheBlockReadAsSilenceBeyondTheirEnd) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.SetBlockSize(8);
  HostBuffers host(8);
  plugin.AttachInputBuffers(0, 2, host.inPtrs, 4);
  plugin.AttachOutputBuffers(0, 2, host.outPtrs);
  plugin.ProcessBuffers(8);
  EXPECT_FLOAT_EQ(host.out[0][3], host.in[0][3]);
  EXPECT_FLOAT_EQ(host.out[0][7], 0.0f);
}

TEST(IPluginCoreBlockSize, TheSameSizeKeepsTheScratchAnotherSizeClearsIt) {
  TestPlugin plugin;
  plugin.SetBlockSize(32);
  plugin.GetOutChannel(1)->Scratch()[5] = 4.0;
  plugin.SetBlockSize(32);
  EXPECT_DOUBLE_EQ(plugin.GetOutChannel(1)->Scratch()[5], 4.0);
  plugin.SetBlockSize(64);
  EXPECT_EQ(plugin.GetBlockSize(), 64);
  EXPECT_EQ(plugin.GetOutChannel(1)->ScratchFrames(), 64);
  EXPECT_DOUBLE_EQ(plugin.GetOutChannel(1)->Scratch()[5], 0.0);
}

TEST(IPluginCoreBlockSize, PointerSlotsFollowTheResizedScratch) {
  TestPlugin plugin;
  plugin.SetBlockSize(16);
  plugin.SetBlockSize(100000);
  for (int i = 0; i < plugin.NInChannels(); ++i) {
    EXPECT_EQ(plugin.InputPointers()[i], plugin.GetInChannel(i)->Scratch());
  }
  for (int i = 0; i < plugin.NOutChannels(); ++i) {
    EXPECT_EQ(plugin.OutputPointers()[i], plugin.GetOutChannel(i)->Scratch());
  }
  plugin.SetBlockSize(-4);
  EXPECT_EQ(plugin.GetBlockSize(), 0);
}

TEST(IPluginCoreLatency, BypassDelaysEveryChannelByTheLatency) {
  TestPlugin plugin;
  plugin.CreateLatencyDelay();
  ASSERT_NE(plugin.GetLatencyDelay(), nullptr);
  plugin.SetLatency(3);
  ConnectAll(&plugin);
  plugin.SetBlockSize(4);  // pieces of 4 frames: the delay carries across them
  HostBuffers host(10);
  Attach(&plugin, &host, 10);
  plugin.PassThroughBuffers(10);
  for (int c = 0; c < 2; ++c) {
    for (int f = 0; f < 3; ++f)
      EXPECT_FLOAT_EQ(host.out[c][f], 0.0f);
    for (int f = 3; f < 10; ++f)
      EXPECT_FLOAT_EQ(host.out[c][f], host.in[c][f - 3]);
  }
  EXPECT_TRUE(plugin.blockLengths.empty());  // bypass never calls the override
}

TEST(IPluginCoreLatency, WithoutLatencyBypassCopies) {
  TestPlugin plugin;
  plugin.renderRamp = true;
  ConnectAll(&plugin);
  plugin.SetBlockSize(8);
  HostBuffers host(8);
  Attach(&plugin, &host, 8);
  plugin.PassThroughBuffers(8);
  EXPECT_EQ(host.out[1], host.in[1]);
  EXPECT_TRUE(plugin.blockLengths.empty());
}

TEST(LatencyDelay, InPlaceBuffersKeepEverySample) {
  LatencyDelay delay(1, 2);
  ASSERT_TRUE(delay.SetLength(2));
  double samples[5] = {1, 2, 3, 4, 5};
  double other[5] = {9, 9, 9, 9, 9};
  double* inputs[1] = {samples};
  double* outputs[2] = {samples, other};
  delay.Process(inputs, outputs, 5);
  const double expected[5] = {0, 0, 1, 2, 3};
  for (int f = 0; f < 5; ++f)
    EXPECT_DOUBLE_EQ(samples[f], expected[f]);
  for (double v : other)
    EXPECT_DOUBLE_EQ(v, 0.0);  // an output without an input is silent
}

TEST(IPluginCoreChannels, HostChannelLimitsKeepTwoByTwo) {
  TestPlugin plugin;
  ConnectAll(&plugin);
  plugin.LimitChannelsForHost();
  EXPECT_TRUE(plugin.GetInChannel(1)->connected);
  EXPECT_TRUE(plugin.GetOutChannel(1)->connected);
}

}  // namespace
