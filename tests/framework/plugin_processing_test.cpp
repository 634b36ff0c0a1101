#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/test_plugin.h"

namespace {

// Host-side float buffers for two inputs and two outputs; in place when asked.
struct HostBuffers {
  explicit HostBuffers(int frames, float outputFill = 0.0f, bool inPlace = false)
      : in{std::vector<float>(frames), std::vector<float>(frames)},
        out{std::vector<float>(frames, outputFill), std::vector<float>(frames, outputFill)} {
    for (int f = 0; f < frames; ++f) {
      in[0][f] = 0.001f * f;
      in[1][f] = -0.002f * f;
    }
    if (inPlace) {
      out[0] = in[0];
      out[1] = in[1];
    }
    for (int c = 0; c < 2; ++c) {
      inPtrs[c] = inPlace ? out[c].data() : in[c].data();
      outPtrs[c] = out[c].data();
    }
  }
  std::vector<float> in[2];
  std::vector<float> out[2];
  float* inPtrs[2];
  float* outPtrs[2];
};

// Connects every channel, sizes the scratch to blockSize frames and attaches the host buffers.
void Prepare(TestPlugin* plugin, HostBuffers* host, int blockSize, int frames) {
  for (int i = 0; i < plugin->NInChannels(); ++i)
    plugin->GetInChannel(i)->connected = true;
  for (int i = 0; i < plugin->NOutChannels(); ++i)
    plugin->GetOutChannel(i)->connected = true;
  plugin->SetBlockSize(blockSize);
  plugin->AttachInputBuffers(0, 2, host->inPtrs, frames);
  plugin->AttachOutputBuffers(0, 2, host->outPtrs);
}

TEST(IPluginCoreProcessing, ABlockLongerThanTheScratchRunsInPieces) {
  TestPlugin plugin;
  plugin.renderRamp = true;
  HostBuffers host(40);
  Prepare(&plugin, &host, 16, 40);
  plugin.ProcessBuffers(40);
  EXPECT_EQ(plugin.blockLengths, (std::vector<int>{16, 16, 8}));
  for (int f = 0; f < 40; ++f) {
    ASSERT_FLOAT_EQ(host.out[0][f], static_cast<float>(f));
    ASSERT_FLOAT_EQ(host.out[1][f], static_cast<float>(1000 + f));
  }

  // The base block copies every channel exactly; in place, each piece reads its input before any
  // output overwrites it.
  TestPlugin copier;
  HostBuffers shared(50, 0.0f, true);
  Prepare(&copier, &shared, 7, 50);
  copier.ProcessBuffers(50);
  EXPECT_EQ(shared.out[0], shared.in[0]);
  EXPECT_EQ(shared.out[1], shared.in[1]);
}

TEST(IPluginCoreProcessing, MissingSamplesReadAsSilence) {
  TestPlugin plugin;
  HostBuffers host(8);
  Prepare(&plugin, &host, 8, 4);  // the host's inputs hold only 4 frames
  plugin.ProcessBuffers(8);
  EXPECT_FLOAT_EQ(host.out[0][3], host.in[0][3]);
  EXPECT_FLOAT_EQ(host.out[0][7], 0.0f);

  TestPlugin unprepared;  // no scratch at all: the host hears silence
  HostBuffers silent(32, 0.5f);
  Prepare(&unprepared, &silent, 0, 32);
  unprepared.ProcessBuffers(32);
  EXPECT_TRUE(unprepared.blockLengths.empty());
  EXPECT_EQ(silent.out[0], std::vector<float>(32, 0.0f));
}

TEST(IPluginCoreProcessing, AccumulatingAddsAndTheHostBuffersAreDetachedAfterTheBlock) {
  TestPlugin plugin;
  HostBuffers host(8, 0.5f);
  host.in[0].assign(8, 0.25f);
  Prepare(&plugin, &host, 8, 8);
  plugin.ProcessBuffersAccumulating(8);
  EXPECT_EQ(host.out[0], std::vector<float>(8, 0.75f));
  plugin.ProcessBuffers(8);  // nothing attached: the old host buffers stay untouched
  EXPECT_EQ(host.out[0], std::vector<float>(8, 0.75f));
}

TEST(IPluginCoreProcessing, DisconnectedChannelsTakeNoHostPointer) {
  TestPlugin plugin;
  HostBuffers host(8, 3.0f);
  plugin.GetInChannel(0)->connected = false;
  plugin.GetOutChannel(0)->connected = false;
  plugin.SetBlockSize(8);
  plugin.GetInChannel(1)->connected = true;
  plugin.GetOutChannel(1)->connected = true;
  plugin.AttachInputBuffers(0, 2, host.inPtrs, 8);
  plugin.AttachOutputBuffers(0, 2, host.outPtrs);
  plugin.ProcessBuffers(8);
  // Input 1 read host input 0 and output 1 wrote host output 0; host output 1 is untouched.
  EXPECT_EQ(host.out[0], host.in[0]);
  EXPECT_EQ(host.out[1], std::vector<float>(8, 3.0f));
  plugin.LimitChannelsForHost();  // two by two: nothing changes
  EXPECT_TRUE(plugin.GetInChannel(1)->connected);
  EXPECT_FALSE(plugin.GetOutChannel(0)->connected);
}

TEST(IPluginCoreProcessing, TheSameBlockSizeKeepsTheScratchAnotherClearsIt) {
  TestPlugin plugin;
  plugin.SetBlockSize(32);
  plugin.GetOutChannel(1)->Scratch()[5] = 4.0;
  plugin.SetBlockSize(32);
  EXPECT_DOUBLE_EQ(plugin.GetOutChannel(1)->Scratch()[5], 4.0);
  plugin.SetBlockSize(100000);
  EXPECT_EQ(plugin.GetBlockSize(), 100000);
  EXPECT_EQ(plugin.GetOutChannel(1)->ScratchFrames(), 100000);
  EXPECT_DOUBLE_EQ(plugin.GetOutChannel(1)->Scratch()[5], 0.0);
  // The scratch blocks moved: no pointer slot may keep naming the old ones.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(plugin.InputPointers()[i], plugin.GetInChannel(i)->Scratch());
    EXPECT_EQ(plugin.OutputPointers()[i], plugin.GetOutChannel(i)->Scratch());
  }
  plugin.SetBlockSize(-4);
  EXPECT_EQ(plugin.GetBlockSize(), 0);
}

TEST(IPluginCoreProcessing, BypassDelaysEveryChannelByTheLatency) {
  TestPlugin plugin;
  plugin.CreateLatencyDelay();
  ASSERT_NE(plugin.GetLatencyDelay(), nullptr);
  plugin.SetLatency(3);
  HostBuffers host(10);
  Prepare(&plugin, &host, 4, 10);  // pieces of 4 frames: the delay carries across them
  plugin.PassThroughBuffers(10);
  for (int c = 0; c < 2; ++c) {
    for (int f = 0; f < 10; ++f)
      EXPECT_FLOAT_EQ(host.out[c][f], f < 3 ? 0.0f : host.in[c][f - 3]) << c << " " << f;
  }
  EXPECT_TRUE(plugin.blockLengths.empty());  // bypass never calls the override

  plugin.SetLatency(0);  // without latency, bypass copies
  HostBuffers plain(4);
  Prepare(&plugin, &plain, 4, 4);
  plugin.PassThroughBuffers(4);
  EXPECT_EQ(plain.out[1], plain.in[1]);
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
  for (int f = 0; f < 5; ++f) {
    EXPECT_DOUBLE_EQ(samples[f], expected[f]);
    EXPECT_DOUBLE_EQ(other[f], 0.0);  // an output without an input is silent
  }
}

}  // namespace
