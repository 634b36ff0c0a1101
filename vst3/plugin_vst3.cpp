#include "vst3/plugin_vst3.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "framework/host_id.h"
#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "vst3/plugin_vst3_view.h"
#include "vst3/speaker_arrangement.h"
#include "vst3/vst3_text.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

IPluginVST3::IPluginVST3()
    : IPluginCore(kApiVST3), hostInputs64(NInChannels()), hostOutputs64(NOutChannels()) {
  for (int i = 0; i < NInChannels(); ++i)
    GetInChannel(i)->connected = true;
  for (int i = 0; i < NOutChannels(); ++i)
    GetOutChannel(i)->connected = true;
  CreateLatencyDelay();
  SetInputBusName(0, "Main Input");
  for (int pair = 0; 2 * pair < NOutChannels(); ++pair) {
    char name[32];
    std::snprintf(name, sizeof name, "Output %i", pair + 1);
    SetOutputBusName(pair, name);
  }
}

IPluginVST3::~IPluginVST3() = default;

tresult PLUGIN_API IPluginVST3::queryInterface(const TUID iid, void** obj) {
  if (FUnknownPrivate::iidEqual(iid, IUnitInfo::iid)) {
    addRef();
    *obj = static_cast<IUnitInfo*>(this);
    return kResultOk;
  }
  return SingleComponentEffect::queryInterface(iid, obj);
}

tresult PLUGIN_API IPluginVST3::initialize(FUnknown* context) {
  // A refused second call changes nothing: the live sound stays as it is.
  tresult result = SingleComponentEffect::initialize(context);
  if (result != kResultOk) return result;

  IdentifyHostFrom(context);
  if (!DeclareBuses() || !ExportParameters()) {
    // The host releases an instance whose initialize failed without calling terminate.
    SingleComponentEffect::terminate();
    return kOutOfMemory;
  }
  HostIdentified();
  LoadPresetSlot(0);
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::terminate() {
  // The views stay alive until the host releases them; they are just no longer ours to reach.
  openViews.clear();
  return SingleComponentEffect::terminate();
}

void IPluginVST3::IdentifyHostFrom(FUnknown* context) {
  if (!context) return;
  IHostApplication* application = nullptr;
  if (context->queryInterface(IHostApplication::iid, reinterpret_cast<void**>(&application)) !=
          kResultOk ||
      !application) {
    return;
  }
  String128 wide = {};
  char name[128] = {};
  if (application->getName(wide) == kResultOk) {
    wide[127] = 0;  // a host that fills every unit still gets a terminated name
    NarrowText(wide, name, static_cast<int>(sizeof name));
  }
  application->release();
  SetHost(IdentifyHost(name), 0);
}

bool IPluginVST3::DeclareBuses() {
  String128 name;
  const int inputs = NInChannels();
  if (inputs >= 1 && inputs <= 6) {
    WidenText(GetInputBusName(0), name, 128);
    if (!AddAudioInput(name, SpeakerArrangementForChannels(inputs))) return false;
  }
  for (int pair = 0; 2 * pair < NOutChannels(); ++pair) {
    WidenText(GetOutputBusName(pair), name, 128);
    if (!AddAudioOutput(name, SpeakerArr::kStereo)) return false;
  }
  if (DoesMidi()) {
    WidenText("MIDI Input", name, 128);
    if (!AddEventInput(name, 1)) return false;
  }
  return true;
}

void IPluginVST3::BeginHostEdit(int idx) {
  beginEdit(static_cast<ParamID>(idx));
}

void IPluginVST3::PerformHostEdit(int idx, double normalized) {
  performEdit(static_cast<ParamID>(idx), normalized);
}

void IPluginVST3::EndHostEdit(int idx) {
  endEdit(static_cast<ParamID>(idx));
}

void IPluginVST3::NotifyHostPresetChange() {}

bool IPluginVST3::IsRenderingOffline() {
  return processSetup.processMode == kOffline;
}

int IPluginVST3::GetSamplePosition() {
  return static_cast<int>(static_cast<int32_t>(processContext.projectTimeSamples));
}

double IPluginVST3::GetTempo() {
  return lastValidTempo;
}

void IPluginVST3::GetTimeSignature(int* numerator, int* denominator) {
  if (numerator) *numerator = lastNumerator;
  if (denominator) *denominator = lastDenominator;
}

void IPluginVST3::GetTimeInfo(ITransportInfo* info) {
  if (!info) return;
  info->tempo = lastValidTempo;
  info->samplePosition = static_cast<double>(processContext.projectTimeSamples);
  info->ppqPosition = processContext.projectTimeMusic;
  info->lastBarStartPosition = processContext.barPositionMusic;
  info->cycleStartPosition = processContext.cycleStartMusic;
  info->cycleEndPosition = processContext.cycleEndMusic;
  info->numerator = lastNumerator;
  info->denominator = lastDenominator;
  info->transportIsRunning = (processContext.state & ProcessContext::kPlaying) != 0;
  info->transportLoopEnabled = (processContext.state & ProcessContext::kCycleActive) != 0;
}

void IPluginVST3::RequestGuiResize(int width, int height) {
  if (!GetGui()) return;
  if (IPluginVST3View* view = EditorView()) view->RequestResize(width, height);
}

void IPluginVST3::SetLatency(int samples) {
  IPluginCore::SetLatency(samples);
  if (componentHandler) componentHandler->restartComponent(kLatencyChanged);
}

bool IPluginVST3::SendMidiMessage(const IMidiMessage* /*msg*/) {
  return false;
}

void IPluginVST3::PopupHostContextMenu(int idx, int x, int y) {
  IPluginVST3View* view = EditorView();
  if (!componentHandler || !view || !GetParam(idx)) return;
  IComponentHandler3* handler = nullptr;
  if (componentHandler->queryInterface(IComponentHandler3::iid,
                                       reinterpret_cast<void**>(&handler)) != kResultOk ||
      !handler) {
    return;
  }
  const ParamID id = static_cast<ParamID>(idx);
  // A host may offer the interface and still have no menu to give.
  if (IContextMenu* menu = handler->createContextMenu(view, &id)) {
    menu->popup(x, y);
    menu->release();
  }
  handler->release();
}

IPluginVST3View* IPluginVST3::EditorView() const {
  if (editorWindowView) return editorWindowView;
  return openViews.empty() ? nullptr : openViews.front();
}

bool IPluginVST3::AddOpenView(IPluginVST3View* view) {
  if (!view) return false;
  try {
    openViews.push_back(view);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void IPluginVST3::RemoveOpenView(IPluginVST3View* view) {
  if (editorWindowView == view) editorWindowView = nullptr;
  auto found = std::find(openViews.begin(), openViews.end(), view);
  if (found != openViews.end()) openViews.erase(found);
}
