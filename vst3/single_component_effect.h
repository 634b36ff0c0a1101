// One object that is both the audio processor and the edit controller of a
// VST3 plug-in. It builds on the SDK's EditController (parameter container,
// component handler, host context) and adds the component and processor
// interfaces with the bus lists and the stored processing set-up.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

class SingleComponentEffect : public EditController, public IComponent, public IAudioProcessor {
 public:
  // Any thread, before the host sees the object; allocates nothing.
  SingleComponentEffect();
  ~SingleComponentEffect() override;

  // Host calls, UI thread. The one initialize/terminate pair serves the
  // component and the controller side alike.
  tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
  tresult PLUGIN_API terminate() SMTG_OVERRIDE;

  // IComponent, UI thread. getBusCount/getBusInfo/activateBus read and flip
  // the bus lists; no allocation.
  tresult PLUGIN_API getControllerClassId(TUID classId) SMTG_OVERRIDE;
  tresult PLUGIN_API setIoMode(IoMode mode) SMTG_OVERRIDE;
  int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) SMTG_OVERRIDE;
  tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index,
                                BusInfo& bus) SMTG_OVERRIDE;
  tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) SMTG_OVERRIDE;
  tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index,
                                 TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;

  // One override answers both the component's and the controller's state
  // calls (the two interfaces declare the same signature). UI thread.
  tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE;
  tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE;

  // IAudioProcessor. setupProcessing and the arrangement calls come on the UI
  // thread while the plug-in is inactive; process on the audio thread.
  tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                        SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
  tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                       SpeakerArrangement& arr) SMTG_OVERRIDE;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
  uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
  tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
  tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
  uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;

  // Bus list helpers for derived classes; UI thread; allocate (they return
  // null when allocation fails). The lists hold the only reference.
  AudioBus* AddAudioInput(const TChar* name, SpeakerArrangement arrangement, BusType type = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  AudioBus* AddAudioOutput(const TChar* name, SpeakerArrangement arrangement, BusType type = kMain,
                           int32 flags = BusInfo::kDefaultActive);
  EventBus* AddEventInput(const TChar* name, int32 channels, BusType type = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  // Replaces bus index of a list by a new main audio bus of the same name;
  // false (nothing changed) when the index is outside the list or allocation fails.
  bool ReplaceAudioBus(BusDirection dir, int32 index, SpeakerArrangement arrangement);
  // Empties every bus list; UI thread.
  void RemoveAllBusses();
  // The bus at index or null; any thread, no allocation.
  AudioBus* GetAudioBus(BusDirection dir, int32 index);

  OBJ_METHODS(SingleComponentEffect, EditController)
  DEFINE_INTERFACES
  DEF_INTERFACE(IComponent)
  DEF_INTERFACE(IAudioProcessor)
  END_DEFINE_INTERFACES(EditController)
  REFCOUNT_METHODS(EditController)

 protected:
  BusList* GetBusList(MediaType type, BusDirection dir);

  ProcessSetup processSetup;
  BusList audioInputs;
  BusList audioOutputs;
  BusList eventInputs;
  BusList eventOutputs;

 private:
  bool initialized = false;
  Bus* AppendBus(BusList& list, Bus* bus);
};

}  // namespace Vst
}  // namespace Steinberg
