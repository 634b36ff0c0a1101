// A small plug-in on the VST2 binding for the binding's own tests: parameters with every kind of
// display, a record of what the binding hands it, and output channel c at kLevel * (c + 1).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/display_test_params.h"
#include "tests/framework/test_plugin.h"  // FakeEditor
#include "vst2/plugin_vst2.h"
#include "vst2_test_host.h"

class TestVst2Plugin : public IPluginVST2 {
 public:
  static constexpr double kLevel = 0.125;

  TestVst2Plugin() {
    DefineDisplayTestParams(this);
    CreateInitPreset();
  }
  void Reset() override { ++resets; }
  void ParamChanged(int idx) override { changedParams.push_back(idx); }
  void ProcessBlock(double** /*inputs*/, double** outputs, int nFrames) override {
    blockFrames.push_back(nFrames);
    for (int c = 0; c < NOutChannels(); ++c)
      std::fill_n(outputs[c], nFrames, kLevel * (c + 1));
  }
  void ReceiveMidiMessage(const IMidiMessage* msg) override { midi.push_back(*msg); }
  void ReceiveSysExMessage(const ISysExMessage* msg) override { sysExSizes.push_back(msg->size); }

  // Entry for Vst2TestHost::Create.
  static void* Create(Vst2HostCallback host) {
    auto* plug = new TestVst2Plugin();
    plug->SetHostCallback(reinterpret_cast<audioMasterCallback>(host));
    return plug->GetAEffect();
  }

  int resets = 0;
  std::vector<int> changedParams, sysExSizes, blockFrames;
  std::vector<IMidiMessage> midi;
};

// The plug-in behind a host's descriptor.
template <class Plugin = IPluginVST2>
Plugin* PluginOf(const Vst2TestHost& host) {
  return static_cast<Plugin*>(static_cast<IPluginVST2*>(host.At<void*>(Field::kObject)));
}

// A started test plug-in behind the test host; no text may pass its host buffer.
class TestPluginHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Create(TestVst2Plugin::Create));
    plug = PluginOf<TestVst2Plugin>(host);
    host.Start();
  }
  void TearDown() override { EXPECT_EQ(host.overruns, 0); }
  Vst2TestHost host;
  TestVst2Plugin* plug = nullptr;
};
