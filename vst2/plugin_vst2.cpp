// The descriptor, the host callback and everything the plug-in asks or tells the host: edit
// gestures, time and tempo, the host's identity and the quirks that follow from it, latency and
// outgoing MIDI.
#include "vst2/plugin_vst2.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/host_id.h"

namespace {

constexpr int32_t kTimeFilterAll =
    kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid;
constexpr int32_t kProductStringBytes = 256;
constexpr intptr_t kHostAccepted = 1;

}  // namespace

void IPluginVST2::DescribeArrangement(VstSpeakerArrangement* arrangement, int32_t count) {
  arrangement->numChannels = count;
  if (count <= 0) {
    arrangement->type = kSpeakerArrEmpty;
  } else if (count == 1) {
    arrangement->type = kSpeakerArrMono;
  } else if (count == 2) {
    arrangement->type = kSpeakerArrStereo;
  } else {
    arrangement->type = kSpeakerArrUserDefined;
  }
}

int32_t DecimalVersion(int32_t versionWord) {
  const uint32_t word = static_cast<uint32_t>(versionWord);
  return static_cast<int32_t>((word >> 16) * 10000 + ((word >> 8) & 0xFF) * 100 + (word & 0xFF));
}

int32_t PackedHostVersion(intptr_t decimal) {
  if (decimal <= 0) return 0;
  const int64_t value = decimal;
  // A major version beyond 0x7FFF would not fit the upper half of an int32.
  const int64_t major = std::min<int64_t>(value / 10000, 0x7FFF);
  return static_cast<int32_t>(major * 65536 + (value / 100 % 100) * 256 + value % 100);
}

IPluginVST2::IPluginVST2() : IPluginCore(kApiVST2) {
  effect.magic = kEffectMagic;
  effect.dispatcher = VSTDispatcher;
  effect.process = VSTProcessAccumulating;
  effect.setParameter = VSTSetParameter;
  effect.getParameter = VSTGetParameter;
  effect.processReplacing = VSTProcessReplacing;
  effect.processDoubleReplacing = VSTProcessDoubleReplacing;
  effect.numPrograms = std::max(NPresets(), 1);
  effect.numParams = NParams();
  effect.numInputs = NInChannels();
  effect.numOutputs = NOutChannels();
  effect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
  if (IsInstrument()) effect.flags |= effFlagsIsSynth;
  if (LegalIO(1, -1)) effect.flags |= effFlagsCanMono;
  effect.initialDelay = GetLatency();
  effect.ioRatio = 1.0f;
  effect.object = this;
  effect.uniqueID = GetUniqueId();
  effect.version = DecimalVersion(GetVersion());

  DescribeArrangement(&inputArrangement, NInChannels());
  DescribeArrangement(&outputArrangement, NOutChannels());
  ConnectChannels(true, NInChannels());
  ConnectChannels(false, NOutChannels());
  SetBlockSize(kDefaultBlockSize);
}

IPluginVST2::~IPluginVST2() = default;

intptr_t IPluginVST2::HostCall(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
  return hostCallback ? hostCallback(&effect, opcode, index, value, ptr, opt) : 0;
}

void IPluginVST2::ConnectChannels(bool input, int32_t count) {
  const int32_t channels = input ? NInChannels() : NOutChannels();
  for (int32_t i = 0; i < channels; ++i) {
    IChannel* channel = SideChannel(input, i);
    channel->connected = i < count;
    // A disconnected channel renders into its own scratch, never into a host buffer.
    if (!channel->connected) channel->PointAtScratch();
  }
}

IChannel* IPluginVST2::SideChannel(bool input, int32_t i) const {
  return input ? static_cast<IChannel*>(GetInChannel(i)) : GetOutChannel(i);
}

int32_t IPluginVST2::ConnectedChannels(bool input) const {
  const int32_t channels = input ? NInChannels() : NOutChannels();
  int32_t connected = 0;
  for (int32_t i = 0; i < channels; ++i) {
    if (SideChannel(input, i)->connected) ++connected;
  }
  return connected;
}

void IPluginVST2::BeginHostEdit(int idx) {
  HostCall(audioMasterBeginEdit, idx);
}

void IPluginVST2::PerformHostEdit(int idx, double normalized) {
  HostCall(audioMasterAutomate, idx, 0, nullptr, static_cast<float>(normalized));
}

void IPluginVST2::EndHostEdit(int idx) {
  HostCall(audioMasterEndEdit, idx);
}

void IPluginVST2::NotifyHostPresetChange() {
  HostCall(audioMasterUpdateDisplay);
}

bool IPluginVST2::IsRenderingOffline() {
  return HostCall(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

const VstTimeInfo* IPluginVST2::AskHostTime(int32_t filter) {
  return reinterpret_cast<const VstTimeInfo*>(HostCall(audioMasterGetTime, 0, filter));
}

int IPluginVST2::GetSamplePosition() {
  const VstTimeInfo* time = AskHostTime(0);
  if (!time || !(time->samplePos >= 0.0)) return 0;
  // Positions past the int range stay at its end instead of wrapping.
  const double rounded = std::floor(time->samplePos + 0.5);
  return rounded < static_cast<double>(std::numeric_limits<int>::max())
             ? static_cast<int>(rounded)
             : std::numeric_limits<int>::max();
}

double IPluginVST2::GetTempo() {
  const VstTimeInfo* time = AskHostTime(kVstTempoValid);
  // A host without a tempo (or with 0) leaves the last one it gave in place.
  if (time && (time->flags & kVstTempoValid) && std::isfinite(time->tempo) && time->tempo > 0.0) {
    lastValidTempo = time->tempo;
  }
  return lastValidTempo;
}

void IPluginVST2::GetTimeSignature(int* numerator, int* denominator) {
  if (numerator) *numerator = 0;
  if (denominator) *denominator = 0;
  const VstTimeInfo* time = AskHostTime(kVstTimeSigValid);
  if (!time || !(time->flags & kVstTimeSigValid)) return;
  if (time->timeSigNumerator < 0 || time->timeSigDenominator < 0) return;
  if (numerator) *numerator = time->timeSigNumerator;
  if (denominator) *denominator = time->timeSigDenominator;
}

void IPluginVST2::GetTimeInfo(ITransportInfo* info) {
  const VstTimeInfo* time = info ? AskHostTime(kTimeFilterAll) : nullptr;
  if (!time || !(time->flags & kTimeFilterAll)) return;
  const int32_t flags = time->flags;
  if (std::isfinite(time->samplePos)) info->samplePosition = time->samplePos;
  if ((flags & kVstPpqPosValid) && time->ppqPos >= 0.0 && std::isfinite(time->ppqPos)) {
    info->ppqPosition = time->ppqPos;
  }
  if ((flags & kVstTempoValid) && time->tempo > 0.0 && std::isfinite(time->tempo)) {
    info->tempo = time->tempo;
    lastValidTempo = time->tempo;
  }
  if ((flags & kVstBarsValid) && time->barStartPos >= 0.0 && std::isfinite(time->barStartPos)) {
    info->lastBarStartPosition = time->barStartPos;
  }
  if ((flags & kVstCyclePosValid) && time->cycleStartPos >= 0.0 && time->cycleEndPos >= 0.0 &&
      std::isfinite(time->cycleStartPos) && std::isfinite(time->cycleEndPos)) {
    info->cycleStartPosition = time->cycleStartPos;
    info->cycleEndPosition = time->cycleEndPos;
  }
  if ((flags & kVstTimeSigValid) && time->timeSigNumerator > 0 && time->timeSigDenominator > 0) {
    info->numerator = time->timeSigNumerator;
    info->denominator = time->timeSigDenominator;
  }
  info->transportIsRunning = (flags & kVstTransportPlaying) != 0;
  info->transportLoopEnabled = (flags & kVstTransportCycleActive) != 0;
}

int IPluginVST2::GetHostId() {
  if (IPluginCore::GetHostId() != kHostUninit) return IPluginCore::GetHostId();
  char name[kProductStringBytes] = {};
  HostCall(audioMasterGetProductString, 0, 0, name);
  name[kProductStringBytes - 1] = '\0';  // a host that fills the whole buffer
  const int32_t version = name[0] ? PackedHostVersion(HostCall(audioMasterGetVendorVersion)) : 0;
  SetHost(IdentifyHost(name), version);
  return IPluginCore::GetHostId();
}

void IPluginVST2::ApplyHostQuirks() {
  if (hostQuirksApplied) return;
  hostQuirksApplied = true;
  const int host = GetHostId();
  if (host == kHostForte || host == kHostAudition || host == kHostOrion || host == kHostSawStudio) {
    LimitChannelsForHost();
  }
  effect.numInputs = NInChannels();
  effect.numOutputs = NOutChannels();
  // The arrangements keep describing the channels that are connected, which a host may have
  // narrowed before this first effOpen.
  DescribeArrangement(&inputArrangement, ConnectedChannels(true));
  DescribeArrangement(&outputArrangement, ConnectedChannels(false));
  HostIdentified();
}

void IPluginVST2::SetLatency(int samples) {
  IPluginCore::SetLatency(samples);
  effect.initialDelay = GetLatency();
}

bool IPluginVST2::SendMidiMessage(const IMidiMessage* msg) {
  if (!msg) return false;
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = msg->offset;
  event.midiData[0] = static_cast<char>(msg->status);
  event.midiData[1] = static_cast<char>(msg->data1);
  event.midiData[2] = static_cast<char>(msg->data2);
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&event);
  return HostCall(audioMasterProcessEvents, 0, 0, &list) == kHostAccepted;
}

bool IPluginVST2::SendSysExMessage(const ISysExMessage* msg) {
  if (!msg || msg->size < 0) return false;
  VstMidiSysexEvent event{};
  event.type = kVstSysExType;
  event.byteSize = sizeof(VstMidiSysexEvent);
  event.deltaFrames = msg->offset;
  event.dumpBytes = msg->size;
  event.sysexDump = reinterpret_cast<char*>(const_cast<uint8_t*>(msg->data));
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&event);
  return HostCall(audioMasterProcessEvents, 0, 0, &list) == kHostAccepted;
}
