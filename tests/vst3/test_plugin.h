// A small plug-in on the VST3 binding for the binding's own tests: it
// defines its parameters, records what the binding hands it and renders a
// recognisable signal.
#pragma once

#include <vector>

#include "pluginterfaces/base/ipluginbase.h"
#include "vst3/plugin_vst3.h"

class TestPlugin : public IPluginVST3 {
 public:
  // Output channel c renders kLevel * (c + 1) on every frame.
  static constexpr double kLevel = 0.125;

  TestPlugin();

  void Reset() override;
  void ParamChanged(int idx) override;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  void ReceiveMidiMessage(const IMidiMessage* msg) override;
  void HostIdentified() override;
  void GuiOpened() override { ++guiOpened; }
  void GuiClosing() override { ++guiClosing; }
  void GuiResized() override { ++guiResized; }

  int resets = 0;
  int hostIdentifiedCalls = 0;
  int guiOpened = 0;
  int guiClosing = 0;
  int guiResized = 0;
  std::vector<int> changedParams;
  std::vector<IMidiMessage> midi;
  std::vector<int> blockFrames;
  std::vector<double> tempos;
  double* lastOutput0 = nullptr;  // where the last block wrote channel 0
};

// A factory with the test plug-in registered as its one class (one reference for the caller).
Steinberg::IPluginFactory* CreateTestPluginFactory();
// The last test plug-in the factory created (the tests look inside it).
TestPlugin* LastTestPlugin();
