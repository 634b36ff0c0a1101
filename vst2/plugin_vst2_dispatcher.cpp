// The AEffect dispatcher: the host's single entry for everything but audio and the two
// parameter calls. Each opcode becomes IPluginCore operations under the instance lock. Indexes
// and values are checked at their full width before use; every text goes into host memory
// through the bounded copy of host_text.h.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vst2/host_text.h"
#include "vst2/plugin_vst2.h"

namespace {

constexpr int32_t kVendorSpecificFormatValue = 7;
constexpr int32_t kVendorSpecificParamType = 8;
constexpr int32_t kCanDoBytes = 64;
constexpr int32_t kParsedTextBytes = 256;
constexpr int32_t kMidiKeyNameBytes = 64;

IPluginVST2* PluginOf(AEffect* effect) {
  return effect ? static_cast<IPluginVST2*>(effect->object) : nullptr;
}

const char* const kMidiCanDos[] = {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents",
                                   "receiveVstMidiEvent"};

}  // namespace

intptr_t IPluginVST2::VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                    void* ptr, float opt) {
  IPluginVST2* plug = PluginOf(effect);
  if (!plug) return 0;
  MutexLock lock(plug->GetMutex());
  if (opcode == effClose) {
    lock.Release();
    delete plug;
    return 0;
  }
  try {
    return plug->Dispatch(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;  // nothing may escape into the host
  }
}

intptr_t IPluginVST2::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
  switch (opcode) {
    case effOpen:
      ApplyHostQuirks();
      NotifyAllParamsChanged();
      return 0;
    case effSetProgram:
      return SetProgram(value);
    case effGetProgram:
      return GetCurrentPresetIdx();
    case effSetProgramName:
      return SetProgramName(ptr);
    case effGetProgramName:
      CopyToHost(ptr, GetPresetName(GetCurrentPresetIdx()), kVstMaxProgNameLen);
      return 0;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
      return GetParamText(opcode, index, ptr);
    case effSetSampleRate:
      return SetHostSampleRate(opt);
    case effSetBlockSize:
      return SetHostBlockSize(value);
    case effMainsChanged:
      Activate(value != 0);
      if (value == 0) Reset();
      return 0;
    case effEditGetRect:
      return EditGetRect(ptr);
    case effEditOpen:
      return EditOpen(ptr);
    case effEditClose:
      return EditClose();
    case effIdentify:
      return kIdentity;
    case effGetChunk:
      return GetChunk(index, ptr);
    case effSetChunk:
      return SetChunk(index, value, ptr);
    case effProcessEvents:
      return ProcessEvents(ptr);
    case effCanBeAutomated:
      return GetParam(index) ? 1 : 0;
    case effString2Parameter:
      return String2Parameter(index, ptr);
    case effGetProgramNameIndexed:
      return GetProgramNameIndexed(index, ptr);
    case effGetInputProperties:
    case effGetOutputProperties:
      return GetPinProperties(opcode == effGetInputProperties, index, ptr);
    case effGetPlugCategory:
      return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement:
      return SetSpeakerArrangement(value, ptr);
    case effGetEffectName:
      CopyToHost(ptr, GetEffectName(), kVstMaxEffectNameLen);
      return ptr ? 1 : 0;
    case effGetVendorString:
      CopyToHost(ptr, GetMakerName(), kVstMaxVendorStrLen);
      return ptr ? 1 : 0;
    case effGetProductString:
      CopyToHost(ptr, GetProductName(), kVstMaxProductStrLen);
      return ptr ? 1 : 0;
    case effGetVendorVersion:
      return DecimalVersion(GetVersion());
    case effVendorSpecific:
      return VendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return CanDo(ptr);
    case effGetTailSize:
      return GetTailSize();
    case effGetVstVersion:
      return kVstVersion;
    case effGetMidiKeyName:
      return GetMidiKeyName(ptr);
    case effGetSpeakerArrangement:
      return GetSpeakerArrangement(value, ptr);
    default:
      return 0;  // effEditIdle, effIdle, effProcessVarIo and everything unknown
  }
}

intptr_t IPluginVST2::SetProgram(intptr_t value) {
  // Checked at full width: 2^32 must not wrap to slot 0.
  if (value < 0 || value >= NPresets()) return 0;
  if (!UsesStateChunks()) ModifyCurrentPreset();  // switching back finds the sound as it was left
  LoadPresetSlot(static_cast<int>(value));
  return 0;
}

intptr_t IPluginVST2::SetProgramName(const void* ptr) {
  if (!ptr) return 0;
  char name[IPresetSlot::kNameSize];
  ReadFromHost(name, ptr, sizeof name);
  ModifyCurrentPreset(name);
  CurrentPresetChanged();
  return 0;
}

intptr_t IPluginVST2::GetProgramNameIndexed(int32_t index, void* ptr) {
  if (!ptr) return 0;
  const char* name = GetPresetName(index);
  CopyToHost(ptr, name, kVstMaxProgNameLen);
  return name[0] != '\0' ? 1 : 0;
}

intptr_t IPluginVST2::GetParamText(int32_t opcode, int32_t index, void* ptr) {
  const IParameter* param = GetParam(index);
  if (!param || !ptr) return 0;
  if (opcode == effGetParamDisplay) {
    char text[IParameter::kTextSize];
    param->FormatValue(text);
    CopyToHost(ptr, text, kParamTextBytes);
  } else {
    CopyToHost(ptr, opcode == effGetParamLabel ? param->UnitText() : param->Name(),
               kParamTextBytes);
  }
  return 0;
}

intptr_t IPluginVST2::String2Parameter(int32_t index, const void* ptr) {
  IParameter* param = GetParam(index);
  if (!param) return 0;
  if (!ptr) return 1;
  char text[kParsedTextBytes];
  ReadFromHost(text, ptr, sizeof text);
  double value;
  if (param->DisplayTextCount() > 0) {
    int32_t entry;
    if (!param->ValueForDisplayText(text, &entry)) return 0;
    value = entry;
  } else {
    // Text without a number reads as 0; "nan", "inf" and overflowing numbers are refused.
    value = std::strtod(text, nullptr);
    if (!std::isfinite(value)) return 0;
    if (param->NegateDisplay()) value = -value;
  }
  param->SetClamped(value);
  PushParamToGui(index, param->Value(), false);
  ParamChanged(index);
  return 1;
}

intptr_t IPluginVST2::SetHostSampleRate(float rate) {
  if (!SetSampleRate(rate)) return 0;  // a rate that is not positive and finite changes nothing
  Reset();
  return 0;
}

intptr_t IPluginVST2::SetHostBlockSize(intptr_t value) {
  if (value < 1) return 0;
  SetBlockSize(static_cast<int>(std::min(value, kMaxBlockSize)));
  Reset();
  return 0;
}

intptr_t IPluginVST2::ProcessEvents(const void* ptr) {
  if (!ptr) return 0;
  const VstEvents* list = static_cast<const VstEvents*>(ptr);
  // The list is longer than its declared two entries: walk it through a plain pointer.
  VstEvent* const* events = list->events;
  const int32_t lastFrame = std::max(GetBlockSize() - 1, 0);
  for (int32_t i = 0; i < list->numEvents; ++i) {
    const VstEvent* event = events[i];
    if (!event) continue;
    const int32_t offset = std::clamp(event->deltaFrames, 0, lastFrame);
    if (event->type == kVstMidiType) {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      const IMidiMessage message(offset, static_cast<uint8_t>(midi->midiData[0]),
                                 static_cast<uint8_t>(midi->midiData[1]),
                                 static_cast<uint8_t>(midi->midiData[2]));
      ReceiveMidiMessage(&message);
    } else if (event->type == kVstSysExType) {
      const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
      if (sysex->dumpBytes < 0 || (sysex->dumpBytes > 0 && !sysex->sysexDump)) continue;
      ISysExMessage message;
      message.offset = offset;
      message.size = sysex->dumpBytes;
      message.data = reinterpret_cast<const uint8_t*>(sysex->sysexDump);
      ReceiveSysExMessage(&message);
    }
  }
  return 1;
}

intptr_t IPluginVST2::GetPinProperties(bool input, int32_t index, void* ptr) {
  const int32_t count = input ? NInChannels() : NOutChannels();
  if (!ptr || index < 0 || index >= count) return 0;
  auto* pin = static_cast<VstPinProperties*>(ptr);
  pin->flags = kVstPinIsActive;
  if (index % 2 == 0 && index < count - 1) pin->flags |= kVstPinIsStereo;
  const IChannel* channel = SideChannel(input, index);
  if (channel->label.Get()[0] != '\0') {
    CopyToHost(pin->label, channel->label.Get(), kVstMaxLabelLen);
  } else {
    char label[kVstMaxLabelLen];
    std::snprintf(label, sizeof label, input ? "Input %d" : "Output %d", index + 1);
    CopyToHost(pin->label, label, kVstMaxLabelLen);
  }
  return 1;
}

intptr_t IPluginVST2::SetSpeakerArrangement(intptr_t value, void* ptr) {
  const auto* input = reinterpret_cast<const VstSpeakerArrangement*>(value);
  const auto* output = static_cast<const VstSpeakerArrangement*>(ptr);
  if (!input && !output) return 0;
  // Both sides are checked before either changes.
  if (input && (input->numChannels < 0 || input->numChannels > NInChannels())) return 0;
  if (output && (output->numChannels < 0 || output->numChannels > NOutChannels())) return 0;
  if (input) {
    ConnectChannels(true, input->numChannels);
    DescribeArrangement(&inputArrangement, input->numChannels);
  }
  if (output) {
    ConnectChannels(false, output->numChannels);
    DescribeArrangement(&outputArrangement, output->numChannels);
  }
  return 1;
}

intptr_t IPluginVST2::GetSpeakerArrangement(intptr_t value, void* ptr) {
  if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &inputArrangement;
  if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = &outputArrangement;
  return 1;
}

intptr_t IPluginVST2::VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) {
  const IParameter* param =
      value >= 0 && value < NParams() ? GetParam(static_cast<int>(value)) : nullptr;
  if (!param) return 0;
  if (index == kVendorSpecificFormatValue) {
    if (!ptr) return 0;
    char text[IParameter::kTextSize];
    param->FormatValueFor(opt, true, text, true);
    CopyToHost(ptr, text, kParamTextBytes);
    return kVendorSpecificHandled;
  }
  if (index == kVendorSpecificParamType) {
    return param->Type() != kTypeDouble ? kVendorSpecificHandled : 0;
  }
  return 0;
}

intptr_t IPluginVST2::CanDo(const void* ptr) {
  if (!ptr) return 0;
  char query[kCanDoBytes];
  ReadFromHost(query, ptr, sizeof query);
  if (std::strcmp(query, "receiveVstTimeInfo") == 0) return 1;
  if (DoesMidi()) {
    for (const char* midi : kMidiCanDos) {
      if (std::strcmp(query, midi) == 0) return 1;
    }
  }
  if (std::strcmp(query, "hasCockosExtensions") == 0) {
    cockosBits |= kCockosExtensionsBit;
    return kCockosAnswer;
  }
  if (std::strcmp(query, "hasCockosViewAsConfig") == 0) {
    cockosBits |= kCockosViewAsConfigBit;
    return kCockosAnswer;
  }
  return 0;
}

intptr_t IPluginVST2::GetMidiKeyName(void* ptr) {
  if (!ptr) return 0;
  auto* key = static_cast<MidiKeyName*>(ptr);
  // The plug-in names the key into a buffer of its own; the host's field gets a bounded copy.
  char name[IPluginCore::kNameSize] = {};
  const bool named = GetMidiNoteName(key->thisKeyNumber, name);
  name[sizeof name - 1] = '\0';
  CopyToHost(key->keyName, name, kMidiKeyNameBytes);
  return named ? 1 : 0;
}
