#include "vst3/single_component_effect.h"

#include <new>

namespace Steinberg {
namespace Vst {

SingleComponentEffect::SingleComponentEffect()
    : audioInputs(kAudio, kInput),
      audioOutputs(kAudio, kOutput),
      eventInputs(kEvent, kInput),
      eventOutputs(kEvent, kOutput) {
  processSetup.processMode = kRealtime;
  processSetup.symbolicSampleSize = kSample32;
  processSetup.maxSamplesPerBlock = 1024;
  processSetup.sampleRate = 44100.0;
}

SingleComponentEffect::~SingleComponentEffect() {
  // A host that lets go of the instance without terminate still gets its handler reference back.
  setComponentHandler(nullptr);
}

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context) {
  // A host may pass no context at all; a second call is refused even then.
  if (initialized) return kResultFalse;
  tresult result = EditController::initialize(context);
  if (result == kResultOk) initialized = true;
  return result;
}

tresult PLUGIN_API SingleComponentEffect::terminate() {
  RemoveAllBusses();
  initialized = false;
  return EditController::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID /*classId*/) {
  // The controller is this very object; there is no separate class to name.
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode /*mode*/) {
  return kNotImplemented;
}

BusList* SingleComponentEffect::GetBusList(MediaType type, BusDirection dir) {
  if (dir != kInput && dir != kOutput) return nullptr;
  if (type == kAudio) return dir == kInput ? &audioInputs : &audioOutputs;
  if (type == kEvent) return dir == kInput ? &eventInputs : &eventOutputs;
  return nullptr;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
  BusList* list = GetBusList(type, dir);
  return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info) {
  BusList* list = GetBusList(type, dir);
  if (!list || index < 0 || index >= static_cast<int32>(list->size())) return kInvalidArgument;
  info.mediaType = type;
  info.direction = dir;
  return (*list)[index]->getInfo(info) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo& /*inInfo*/,
                                                         RoutingInfo& /*outInfo*/) {
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state) {
  BusList* list = GetBusList(type, dir);
  if (!list || index < 0 || index >= static_cast<int32>(list->size())) return kInvalidArgument;
  (*list)[index]->setActive(state);
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool /*state*/) {
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setState(IBStream* /*state*/) {
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::getState(IBStream* /*state*/) {
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* /*inputs*/,
                                                             int32 /*numIns*/,
                                                             SpeakerArrangement* /*outputs*/,
                                                             int32 /*numOuts*/) {
  return kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr) {
  AudioBus* bus = GetAudioBus(dir, index);
  if (!bus) return kInvalidArgument;
  arr = bus->getArrangement();
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == kSample32 ? kResultOk : kResultFalse;
}

uint32 PLUGIN_API SingleComponentEffect::getLatencySamples() {
  return 0;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup) {
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultOk) return kResultFalse;
  processSetup = setup;
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool /*state*/) {
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::process(ProcessData& /*data*/) {
  return kNotImplemented;
}

uint32 PLUGIN_API SingleComponentEffect::getTailSamples() {
  return kNoTail;
}

Bus* SingleComponentEffect::AppendBus(BusList& list, Bus* bus) {
  if (!bus) return nullptr;
  // The creation reference stays here until the list holds its own, so a list that cannot grow
  // releases the bus exactly once.
  IPtr<Bus> created(bus, false);
  try {
    list.push_back(created);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return bus;
}

AudioBus* SingleComponentEffect::AddAudioInput(const TChar* name, SpeakerArrangement arrangement,
                                               BusType type, int32 flags) {
  auto* bus = new (std::nothrow) AudioBus(name, type, flags, arrangement);
  return static_cast<AudioBus*>(AppendBus(audioInputs, bus));
}

AudioBus* SingleComponentEffect::AddAudioOutput(const TChar* name, SpeakerArrangement arrangement,
                                                BusType type, int32 flags) {
  auto* bus = new (std::nothrow) AudioBus(name, type, flags, arrangement);
  return static_cast<AudioBus*>(AppendBus(audioOutputs, bus));
}

EventBus* SingleComponentEffect::AddEventInput(const TChar* name, int32 channels, BusType type,
                                               int32 flags) {
  auto* bus = new (std::nothrow) EventBus(name, type, flags, channels);
  return static_cast<EventBus*>(AppendBus(eventInputs, bus));
}

bool SingleComponentEffect::ReplaceAudioBus(BusDirection dir, int32 index,
                                            SpeakerArrangement arrangement) {
  AudioBus* old = GetAudioBus(dir, index);
  if (!old) return false;
  BusInfo info{};
  old->getInfo(info);
  auto* bus = new (std::nothrow) AudioBus(info.name, kMain, BusInfo::kDefaultActive, arrangement);
  if (!bus) return false;
  // The host activated the bus it knew; the replacement keeps that state.
  bus->setActive(old->isActive());
  BusList* list = dir == kInput ? &audioInputs : &audioOutputs;
  (*list)[index] = IPtr<Bus>(bus, false);
  return true;
}

void SingleComponentEffect::RemoveAllBusses() {
  audioInputs.clear();
  audioOutputs.clear();
  eventInputs.clear();
  eventOutputs.clear();
}

AudioBus* SingleComponentEffect::GetAudioBus(BusDirection dir, int32 index) {
  BusList* list = GetBusList(kAudio, dir);
  if (!list || index < 0 || index >= static_cast<int32>(list->size())) return nullptr;
  return FCast<AudioBus>((*list)[index].get());
}

}  // namespace Vst
}  // namespace Steinberg
