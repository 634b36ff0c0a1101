#include "vst3_test_session.h"

#include <algorithm>
#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

Vst3TestSession::Vst3TestSession(IPluginFactory* pluginFactory) : factory(pluginFactory) {}

Vst3TestSession::~Vst3TestSession() {
  if (processor) processor->release();
  if (controller) controller->release();
  if (units) units->release();
  if (component) {
    if (initialized) {
      component->setActive(false);
      component->terminate();
    }
    component->release();
  }
  if (factory) factory->release();
}

bool Vst3TestSession::Create() {
  if (!factory || factory->countClasses() < 1) return false;
  PClassInfo info;
  if (factory->getClassInfo(0, &info) != kResultOk) return false;
  void* object = nullptr;
  if (factory->createInstance(info.cid, IComponent::iid, &object) != kResultOk) return false;
  component = static_cast<IComponent*>(object);
  component->queryInterface(IAudioProcessor::iid, reinterpret_cast<void**>(&processor));
  component->queryInterface(IEditController::iid, reinterpret_cast<void**>(&controller));
  component->queryInterface(IUnitInfo::iid, reinterpret_cast<void**>(&units));
  return processor && controller && units;
}

tresult Vst3TestSession::Initialize() {
  tresult result = component->initialize(&host);
  if (result == kResultOk) {
    initialized = true;
    controller->setComponentHandler(&handler);
  }
  return result;
}

tresult Vst3TestSession::SetupProcessing(int32 sampleSize, int32 maxBlock, double sampleRate) {
  ProcessSetup setup{kRealtime, sampleSize, maxBlock, sampleRate};
  return processor->setupProcessing(setup);
}

void Vst3TestSession::ActivateAllBuses() {
  for (MediaType type : {kAudio, kEvent}) {
    for (BusDirection dir : {kInput, kOutput}) {
      for (int32 i = 0; i < component->getBusCount(type, dir); ++i) {
        component->activateBus(type, dir, i, true);
      }
    }
  }
}

bool Vst3TestSession::Prepare(int32 sampleSize, int32 maxBlock, double sampleRate) {
  if (!Create() || Initialize() != kResultOk) return false;
  SpeakerArrangement stereoIn = SpeakerArr::kStereo, stereoOut = SpeakerArr::kStereo;
  if (processor->setBusArrangements(&stereoIn, 1, &stereoOut, 1) != kResultOk) return false;
  if (SetupProcessing(sampleSize, maxBlock, sampleRate) != kResultOk) return false;
  ActivateAllBuses();
  return component->setActive(true) == kResultOk;
}

tresult Vst3TestSession::Process(TestAudioBlock& block, int32 sampleSize,
                                 TestParameterChanges* changes, TestEventList* events,
                                 ProcessContext* context) {
  ProcessData data;
  data.processMode = kRealtime;
  block.Attach(data, sampleSize);
  data.inputParameterChanges = changes;
  data.inputEvents = events;
  data.processContext = context;
  return processor->process(data);
}

double Vst3TestSession::RenderPeak(int frames, int32 sampleSize, TestEventList* events,
                                   ProcessContext* context) {
  double peak = 0.0;
  const int blockFrames = 256;
  for (int done = 0; done < frames; done += blockFrames) {
    TestAudioBlock block(std::min(blockFrames, frames - done), 1, 2, 0.0f);
    Process(block, sampleSize, nullptr, done == 0 ? events : nullptr, context);
    for (int c = 0; c < 2; ++c) {
      for (int f = 0; f < block.frames; ++f) {
        double v = sampleSize == kSample64 ? block.Output64(0, c, f) : block.Output32(0, c, f);
        peak = std::max(peak, std::fabs(v));
      }
    }
  }
  return peak;
}

std::vector<std::uint8_t> Vst3TestSession::SaveState(tresult* result) {
  TestMemoryStream stream;
  tresult answer = controller->getState(&stream);
  if (result) *result = answer;
  return stream.data;
}

tresult Vst3TestSession::RestoreState(const std::vector<std::uint8_t>& bytes) {
  TestMemoryStream stream(bytes);
  return controller->setState(&stream);
}
