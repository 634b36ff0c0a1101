#include "test_plugin.h"

#include "tests/framework/display_test_params.h"
#include "tovalune_entries.h"
#include "vst2/tovalune_vst2.h"

namespace {

TestVst2Plugin* lastCreated = nullptr;

void* CreateTestPlugin(Vst2HostCallback host) {
  lastCreated = new TestVst2Plugin();
  lastCreated->SetHostCallback(reinterpret_cast<audioMasterCallback>(host));
  return lastCreated->GetAEffect();
}

}  // namespace

TestVst2Plugin::TestVst2Plugin() {
  DefineDisplayTestParams(this);
  CreateInitPreset();
}

void TestVst2Plugin::Reset() {
  ++resets;
}

void TestVst2Plugin::ParamChanged(int idx) {
  changedParams.push_back(idx);
}

void TestVst2Plugin::ProcessBlock(double** /*inputs*/, double** outputs, int nFrames) {
  blockFrames.push_back(nFrames);
  tempos.push_back(GetTempo());
  for (int c = 0; c < NOutChannels(); ++c) {
    for (int f = 0; f < nFrames; ++f)
      outputs[c][f] = kLevel * (c + 1);
  }
}

void TestVst2Plugin::ReceiveMidiMessage(const IMidiMessage* msg) {
  midi.push_back(*msg);
}

void TestVst2Plugin::ReceiveSysExMessage(const ISysExMessage* msg) {
  sysExSizes.push_back(msg->size);
}

Vst2Entry TestPluginEntry() {
  return CreateTestPlugin;
}

Vst2Entry TovaluneEntry() {
  return reinterpret_cast<Vst2Entry>(&VSTPluginMain);
}

TestVst2Plugin* LastTestPlugin() {
  return lastCreated;
}

bool OpenTovaluneEntries(TovaluneEntries* entries) {
  entries->pluginMain = entries->legacyMain = TovaluneEntry();
  return true;
}

void CloseTovaluneEntries(TovaluneEntries* entries) {
  *entries = TovaluneEntries();
}
