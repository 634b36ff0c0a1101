// Identifiers the VST3 module publishes: the class id of the one registered
// class and the two reserved parameter ids beside the plug-in's parameters
// (whose ids are their indices).
#pragma once

#include "framework/plugin_api.h"
#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace TovaluneVst3Ids {

// Program change ("Preset") and bypass parameter ids.
constexpr Steinberg::Vst::ParamID kPresetParamId =
    static_cast<Steinberg::uint32>(FourCharCode("prst"));
constexpr Steinberg::Vst::ParamID kBypassParamId =
    static_cast<Steinberg::uint32>(FourCharCode("bpas"));

// The class id in memory order: eight fixed bytes, then the maker code and the
// plug-in code in ASCII.
constexpr Steinberg::int8 Byte(unsigned value) {
  return static_cast<Steinberg::int8>(value);
}
constexpr Steinberg::TUID kClassId = {
    Byte(0x0D), Byte(0xE7), Byte(0xAE), Byte(0xF2), Byte(0xDE), Byte(0x00), Byte(0x4E), Byte(0x4F),
    'V',        'r',        'n',        'q',        'V',        'a',        'd',        '2'};

}  // namespace TovaluneVst3Ids
