#include "test_plugin.h"

#include <cstdio>
#include <cstring>

#include "pluginterfaces/vst/ivstaudioprocessor.h"
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
  // Parameter 0: 0..100 shown with one decimal; 1: 20..20000 on a square curve, negated display;
  // the rest 0..1.
  GetParam(0)->DefineDouble("Level", 50.0, 0.0, 100.0, 0.1, "%", 1.0);
  GetParam(1)->DefineDouble("Cutoff", 1000.0, 20.0, 20000.0, 1.0, "Hz", 2.0);
  GetParam(1)->SetNegateDisplay(true);
  GetParam(2)->DefineDouble("Mode", 0.0, 0.0, 3.0, 1.0, "", 1.0);
  GetParam(2)->SetDisplayText(1, "Second");
  for (int i = 3; i < NParams(); ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%d", i);
    GetParam(i)->DefineDouble(name, 0.25, 0.0, 1.0, 0.00001, "", 1.0);
  }
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
