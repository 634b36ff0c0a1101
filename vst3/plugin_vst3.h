// The VST3 binding.
//
// IPluginVST3 adapts IPluginCore to a VST3 host. It is one object that is the
// audio processor and the edit controller at once (SingleComponentEffect) and
// also answers IUnitInfo. The host's calls become IPluginCore operations:
// initialize declares the buses and exports the parameters, setupProcessing
// sizes the channels and resets the instrument, process applies parameter
// changes and note events and renders through the channel records, and the
// controller half maps ids, normalized values, texts, units, the program list
// and the 1564-byte state (1560 bytes of parameters and an int32 bypass word).
// The instrument derives from it.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/plugin_core.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "vst3/single_component_effect.h"
#include "vst3/vst3_ids.h"

namespace Steinberg {
class IPlugView;
}
class IPluginVST3View;

class IPluginVST3 : public IPluginCore,
                    public Steinberg::Vst::IUnitInfo,
                    public Steinberg::Vst::SingleComponentEffect {
 public:
  // Creating thread, under the creation lock; allocates (channels, bus names).
  IPluginVST3();
  // Releasing thread.
  ~IPluginVST3() override;

  // ---- FUnknown: IUnitInfo here, everything else from the SDK part. Any thread. ----
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
  REFCOUNT_METHODS(SingleComponentEffect)
  OBJ_METHODS(IPluginVST3, SingleComponentEffect)

  // ---- IPluginBase, UI thread; initialize allocates buses and parameters. ----
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API terminate() SMTG_OVERRIDE;

  // ---- IComponent / IAudioProcessor (plugin_vst3_process.cpp). ----
  // UI thread while inactive; setupProcessing allocates the scratch buffers.
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize)
      SMTG_OVERRIDE;
  Steinberg::uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
  Steinberg::uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) SMTG_OVERRIDE;
  // Audio thread, under the instance lock for the whole call; allocates nothing.
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE;

  // ---- State: the component's and the controller's calls alike (plugin_vst3_state.cpp). ----
  // UI thread, under the instance lock; allocate a scratch chunk.
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) SMTG_OVERRIDE;

  // ---- IEditController (plugin_vst3_controller.cpp). Any thread, no lock, no allocation. ----
  Steinberg::tresult PLUGIN_API getParameterInfo(Steinberg::int32 paramIndex,
                                                 Steinberg::Vst::ParameterInfo& info) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API
  getParamStringByValue(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized,
                        Steinberg::Vst::String128 string) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API
  getParamValueByString(Steinberg::Vst::ParamID id, Steinberg::Vst::TChar* string,
                        Steinberg::Vst::ParamValue& valueNormalized) SMTG_OVERRIDE;
  Steinberg::Vst::ParamValue PLUGIN_API normalizedParamToPlain(
      Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized) SMTG_OVERRIDE;
  Steinberg::Vst::ParamValue PLUGIN_API plainParamToNormalized(
      Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue plainValue) SMTG_OVERRIDE;
  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID id)
      SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id,
                                                   Steinberg::Vst::ParamValue value) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) SMTG_OVERRIDE;
  // A new editor view (IPluginVST3View) for the name "editor", else null. UI thread; allocates.
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) SMTG_OVERRIDE;

  // ---- IUnitInfo (plugin_vst3_controller.cpp). Any thread; allocate nothing. ----
  Steinberg::int32 PLUGIN_API getUnitCount() SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex,
                                            Steinberg::Vst::UnitInfo& info) SMTG_OVERRIDE;
  Steinberg::int32 PLUGIN_API getProgramListCount() SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API getProgramListInfo(
      Steinberg::int32 listIndex, Steinberg::Vst::ProgramListInfo& info) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId,
                                               Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API getProgramInfo(
      Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
      Steinberg::Vst::CString attributeId, Steinberg::Vst::String128 attributeValue) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID listId,
                                                     Steinberg::int32 programIndex) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID listId,
                                                    Steinberg::int32 programIndex,
                                                    Steinberg::int16 midiPitch,
                                                    Steinberg::Vst::String128 name) SMTG_OVERRIDE;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID unitId) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType type,
                                             Steinberg::Vst::BusDirection dir,
                                             Steinberg::int32 busIndex, Steinberg::int32 channel,
                                             Steinberg::Vst::UnitID& unitId) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API setUnitProgramData(Steinberg::int32 listOrUnitId,
                                                   Steinberg::int32 programIndex,
                                                   Steinberg::IBStream* data) SMTG_OVERRIDE;

  // ---- IPluginCore operations ----
  // Edit gestures go to the host's component handler when one is set. Window thread.
  void BeginHostEdit(int idx) override;
  void PerformHostEdit(int idx, double normalized) override;
  void EndHostEdit(int idx) override;
  void NotifyHostPresetChange() override;
  bool IsRenderingOffline() override;
  // Transport of the last process call that carried a context. Audio thread.
  int GetSamplePosition() override;
  double GetTempo() override;
  void GetTimeSignature(int* numerator, int* denominator) override;
  void GetTimeInfo(ITransportInfo* info) override;
  // Asks the host, through the editor's view, for the new size; nothing without an editor or
  // an open view. Window thread.
  void RequestGuiResize(int width, int height) override;
  // As the base, then tells the host the latency changed. Outside the audio path.
  void SetLatency(int samples) override;
  // The VST3 binding sends no MIDI: false.
  bool SendMidiMessage(const IMidiMessage* msg) override;
  // Opens the host's context menu for parameter idx over the editor's view. Window thread.
  void PopupHostContextMenu(int idx, int x, int y) override;

  // ---- Open editor views, in creation order (the views add and remove themselves). ----
  // Window thread; AddOpenView allocates and answers false when it cannot.
  bool AddOpenView(IPluginVST3View* view);
  void RemoveOpenView(IPluginVST3View* view);
  int NOpenViews() const { return static_cast<int>(openViews.size()); }
  // The view whose window shows the editor (null when none does). Window thread.
  IPluginVST3View* EditorWindowView() const { return editorWindowView; }
  void SetEditorWindowView(IPluginVST3View* view) { editorWindowView = view; }
  // The view that resize requests and context menus go to: the one showing the editor, else
  // the first open view, else null. Window thread.
  IPluginVST3View* EditorView() const;

 protected:
  // initialize, step by step (plugin_vst3.cpp, plugin_vst3_controller.cpp).
  void IdentifyHostFrom(Steinberg::FUnknown* context);
  bool DeclareBuses();
  bool ExportParameters();
  bool ExportParameter(int idx);

 private:
  // process, step by step (plugin_vst3_process.cpp).
  void StoreProcessContext(const Steinberg::Vst::ProcessContext& context);
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ApplyParameterChange(Steinberg::Vst::ParamID id, double normalized);
  void ReceiveNoteEvents(Steinberg::Vst::IEventList* events, Steinberg::int32 numSamples);
  void UnbindChannels();
  void BindChannels(const Steinberg::Vst::ProcessData& data);
  void Render64(const Steinberg::Vst::ProcessData& data);
  // The preset slot a normalized program-change value names.
  int PresetIndexFor(double normalized) const;

  // The last context the host gave, and the transport values that were valid in it.
  Steinberg::Vst::ProcessContext processContext{};
  double lastValidTempo = 120.0;
  int lastNumerator = 4;
  int lastDenominator = 4;
  std::vector<IPluginVST3View*> openViews;
  IPluginVST3View* editorWindowView = nullptr;
  // The host's 64-bit buffer of each channel for the current block, or null.
  std::vector<double*> hostInputs64;
  std::vector<double*> hostOutputs64;
};
