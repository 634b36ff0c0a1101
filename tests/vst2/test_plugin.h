// A small plug-in on the VST2 binding for the binding's own tests: it defines parameters with
// every kind of display, records what the binding hands it and renders a recognisable signal.
// Also the native entries of the test host: the test plug-in and the real instrument.
#pragma once

#include <vector>

#include "tests/framework/test_plugin.h"  // FakeEditor
#include "vst2/plugin_vst2.h"
#include "vst2_test_host.h"

class TestVst2Plugin : public IPluginVST2 {
 public:
  // Output channel c renders kLevel * (c + 1) on every frame.
  static constexpr double kLevel = 0.125;

  TestVst2Plugin();

  void Reset() override;
  void ParamChanged(int idx) override;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  void ReceiveMidiMessage(const IMidiMessage* msg) override;
  void ReceiveSysExMessage(const ISysExMessage* msg) override;

  int resets = 0;
  std::vector<int> changedParams;
  std::vector<IMidiMessage> midi;
  std::vector<int> sysExSizes;
  std::vector<int> blockFrames;
  std::vector<double> tempos;
};

// Entries for Vst2TestHost::Create: a new test plug-in, and the instrument's VSTPluginMain.
Vst2Entry TestPluginEntry();
Vst2Entry TovaluneEntry();
// The test plug-in the last TestPluginEntry call created.
TestVst2Plugin* LastTestPlugin();
