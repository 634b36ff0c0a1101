#include "test_plugin.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "tests/framework/display_test_params.h"
#include "vst3/plugin_factory.h"

using namespace Steinberg;

namespace {

TestPlugin* lastCreated = nullptr;

FUnknown* CreateTestPlugin(void*) {
  lastCreated = new TestPlugin();
  return static_cast<Vst::IAudioProcessor*>(lastCreated);
}

}  // namespace

TestPlugin::TestPlugin() {
  DefineDisplayTestParams(this);
  CreateInitPreset();
}

void TestPlugin::Reset() {
  MutexLock lock(GetMutex());
  ++resets;
}

void TestPlugin::ParamChanged(int idx) {
  MutexLock lock(GetMutex());
  changedParams.push_back(idx);
}

void TestPlugin::ProcessBlock(double** /*inputs*/, double** outputs, int nFrames) {
  blockFrames.push_back(nFrames);
  tempos.push_back(GetTempo());
  lastOutput0 = outputs[0];
  for (int c = 0; c < NOutChannels(); ++c) {
    for (int f = 0; f < nFrames; ++f)
      outputs[c][f] = kLevel * (c + 1);
  }
}

void TestPlugin::ReceiveMidiMessage(const IMidiMessage* msg) {
  midi.push_back(*msg);
}

void TestPlugin::HostIdentified() {
  ++hostIdentifiedCalls;
}

IPluginFactory* CreateTestPluginFactory() {
  PFactoryInfo info("VornAudio", "", "", PFactoryInfo::kUnicode);
  auto* factory = new CPluginFactory(info);
  PClassInfo2 classInfo(TovaluneVst3Ids::kClassId, PClassInfo::kManyInstances, "Audio Module Class",
                        "Test Plugin", 0, "Instrument", "", "1.0.0", "VST 3.6.0");
  factory->registerClass(&classInfo, CreateTestPlugin);
  return factory;
}

TestPlugin* LastTestPlugin() {
  return lastCreated;
}
