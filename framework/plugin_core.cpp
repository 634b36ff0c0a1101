#include "framework/plugin_core.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "framework/utf8_text.h"

namespace {

// Hands p to the list; deletes it when the list cannot take it.
template <class T>
bool AddOwned(PtrList<T>& list, T* p) {
  if (!p) return false;
  if (!list.Add(p)) {
    delete p;
    return false;
  }
  return true;
}

void CopyName(char* out, const char* text) {
  CopyUtf8Cut(out, IPluginCore::kNameSize, text);
}

bool SetBusName(PtrList<HeapString>& names, int idx, const char* name) {
  if (idx < 0) return false;
  if (HeapString* existing = names.Get(idx)) {
    existing->Set(name);
    return true;
  }
  return AddOwned(names, new (std::nothrow) HeapString(name));
}

const char* BusName(const PtrList<HeapString>& names, int idx) {
  const HeapString* name = names.Get(idx);
  return name ? name->Get() : "";
}

}  // namespace

IPluginCore::IPluginCore(IPluginApi api) : apiId(api) {
  for (int32_t i = 0; i < kParamCount; ++i)
    AddOwned(params, new (std::nothrow) IParameter());
  AddOwned(presets, new (std::nothrow) IPresetSlot("empty"));
  CopyName(effectName, kEffectName);
  CopyName(productName, "");
  CopyName(makerName, kMakerName);
  ParseChannelConfiguration(kChannelConfig);
}

IPluginCore::~IPluginCore() {
  delete gui;
  gui = nullptr;
  params.DeleteAll();
  presets.DeleteAll();
  inChannels.DeleteAll();
  outChannels.DeleteAll();
  ioConfig.DeleteAll();
  inputBusNames.DeleteAll();
  outputBusNames.DeleteAll();
  delete latencyDelay;
  latencyDelay = nullptr;
}

void IPluginCore::ParseChannelConfiguration(const char* config) {
  int32_t maxIn = 0;
  int32_t maxOut = 0;
  for (const char* at = config; at;) {
    int nIn = 0;
    int nOut = 0;
    // A count that cannot be read stays 0.
    std::sscanf(at, "%d-%d", &nIn, &nOut);
    AddOwned(ioConfig, new (std::nothrow) IOPair{nIn, nOut});
    maxIn = std::max<int32_t>(maxIn, nIn);
    maxOut = std::max<int32_t>(maxOut, nOut);
    at = std::strchr(at, ' ');
    if (at) ++at;
  }

  inputPointers.Resize(maxIn * static_cast<int32_t>(sizeof(double*)), true);
  outputPointers.Resize(maxOut * static_cast<int32_t>(sizeof(double*)), true);
  const int32_t inSlots = inputPointers.Size() / static_cast<int32_t>(sizeof(double*));
  const int32_t outSlots = outputPointers.Size() / static_cast<int32_t>(sizeof(double*));
  for (int32_t i = 0; i < inSlots; ++i) {
    InputPointers()[i] = nullptr;
    IInputChannel* channel = new (std::nothrow) IInputChannel();
    if (channel) channel->pointerSlot = &InputPointers()[i];
    if (!AddOwned(inChannels, channel)) break;
  }
  for (int32_t i = 0; i < outSlots; ++i) {
    OutputPointers()[i] = nullptr;
    IOutputChannel* channel = new (std::nothrow) IOutputChannel();
    if (channel) channel->pointerSlot = &OutputPointers()[i];
    if (!AddOwned(outChannels, channel)) break;
  }
}

bool IPluginCore::LegalIO(int nIn, int nOut) const {
  for (int32_t i = 0, count = ioConfig.GetCount(); i < count; ++i) {
    const IOPair* pair = ioConfig.Get(i);
    if ((nIn == -1 || nIn == pair->nIn) && (nOut == -1 || nOut == pair->nOut)) return true;
  }
  return false;
}

bool IPluginCore::SetSampleRate(double rate) {
  if (!std::isfinite(rate) || rate <= 0.0) return false;
  sampleRate = rate;
  return true;
}

void IPluginCore::Reset() {
  MutexLock lock(&mutex);
}

void IPluginCore::ParamChanged(int) {
  MutexLock lock(&mutex);
}

void IPluginCore::GuiOpened() {}

void IPluginCore::GuiClosing() {}

void IPluginCore::Activate(bool) {
  MutexLock lock(&mutex);
}

void IPluginCore::ReceiveMidiMessage(const IMidiMessage* msg) {
  if (msg) SendMidiMessage(msg);
}

void IPluginCore::ReceiveSysExMessage(const ISysExMessage*) {}

bool IPluginCore::GetMidiNoteName(int, char* name) {
  if (name) name[0] = '\0';
  return false;
}

void IPluginCore::GuiResized() {}

void IPluginCore::HostIdentified() {}

void IPluginCore::PopupHostContextMenu(int, int, int) {}

void IPluginCore::ApplyGuiParamValue(int idx, double normalized) {
  IParameter* param = GetParam(idx);
  if (!param) return;
  MutexLock lock(&mutex);
  param->SetFromNormalized(normalized);
  // The host hears the position the record took, never a value outside [0, 1].
  const double reported =
      std::isnan(normalized) ? param->GetNormalized() : std::clamp(normalized, 0.0, 1.0);
  PerformHostEdit(idx, reported);
  ParamChanged(idx);
}

bool IPluginCore::IsRenderingOffline() {
  return false;
}

int IPluginCore::GetHostId() {
  return hostId;
}

int IPluginCore::GetApiId() {
  return apiId;
}

void IPluginCore::ApplyHostQuirks() {}

void IPluginCore::AttachGui(IGraphicsLink* newGui) {
  if (!newGui) return;
  MutexLock lock(&mutex);
  IGraphicsLink* previous = gui;
  gui = newGui;
  for (int32_t i = 0, count = NParams(); i < count; ++i)
    PushParamToGui(i, GetParam(i)->GetNormalized(), true);
  newGui->ApplyPendingUpdates();
  newGui->PrepareBackBuffer();
  if (previous != newGui) delete previous;  // the instance owns its editor; the old one is gone
}

void IPluginCore::SetLatency(int samples) {
  latency = samples > 0 ? samples : 0;
  if (latencyDelay) latencyDelay->SetLength(latency);
}

bool IPluginCore::SendSysExMessage(const ISysExMessage*) {
  return false;
}

void IPluginCore::CurrentPresetChanged() {}

void IPluginCore::BypassedBlock(int) {}

void IPluginCore::SetBlockSize(int n) {
  if (n < 0) n = 0;
  if (n == blockSize && scratchFrames == n) return;
  MutexLock lock(&mutex);
  const int32_t maxFrames = INT32_MAX / static_cast<int32_t>(sizeof(double));
  const int32_t frames = std::min(n, maxFrames);
  const int32_t bytes = frames * static_cast<int32_t>(sizeof(double));
  int32_t shortest = frames;
  ForEachChannel([&](IChannel* channel) {
    channel->scratch.Resize(bytes, true);
    shortest = std::min(shortest, channel->ScratchFrames());
  });
  scratchFrames = shortest;
  // The scratch blocks may have moved: no pointer slot may keep naming the old ones.
  ForEachChannel([](IChannel* channel) { channel->PointAtScratch(); });
  ZeroScratchBuffers();
  blockSize = n;
}

void IPluginCore::CreateLatencyDelay() {
  if (latencyDelay || NInChannels() <= 0) return;
  latencyDelay = new (std::nothrow) LatencyDelay(NInChannels(), NOutChannels());
}

void IPluginCore::NotifyAllParamsChanged() {
  MutexLock lock(&mutex);
  for (int32_t i = 0, count = NParams(); i < count; ++i)
    ParamChanged(i);
}

int32_t IPluginCore::FindOrAddUnitGroup(const char* group) {
  if (!group || group[0] == '\0') return 0;
  const int32_t count = NUnitGroups();
  for (int32_t i = 0; i < count; ++i) {
    if (std::strcmp(GetUnitGroupName(i), group) == 0) return i + 1;
  }
  if (!unitGroupNames.PutBytes(&group, static_cast<int32_t>(sizeof(group)))) return 0;
  return count + 1;
}

int32_t IPluginCore::NUnitGroups() const {
  return unitGroupNames.Size() / static_cast<int32_t>(sizeof(const char*));
}

const char* IPluginCore::GetUnitGroupName(int32_t i) const {
  if (i < 0 || i >= NUnitGroups()) return nullptr;
  return static_cast<const char* const*>(unitGroupNames.Get())[i];
}

const char* IPluginCore::GetInputBusName(int idx) const {
  return BusName(inputBusNames, idx);
}

const char* IPluginCore::GetOutputBusName(int idx) const {
  return BusName(outputBusNames, idx);
}

bool IPluginCore::SetInputBusName(int idx, const char* name) {
  return SetBusName(inputBusNames, idx, name);
}

bool IPluginCore::SetOutputBusName(int idx, const char* name) {
  return SetBusName(outputBusNames, idx, name);
}

void IPluginCore::LimitChannelsForHost() {
  for (int32_t i = 2; i < NInChannels(); ++i) {
    GetInChannel(i)->connected = false;
    GetInChannel(i)->PointAtScratch();
  }
  if (NOutChannels() >= 3) {
    for (int32_t i = 2; i < NOutChannels(); ++i)
      GetOutChannel(i)->connected = true;
  }
}
