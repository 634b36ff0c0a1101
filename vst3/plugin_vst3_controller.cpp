// The controller half of IPluginVST3: parameter export, ids and normalized
// values, value texts, units, the program list and the editor view.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "pluginterfaces/base/ustring.h"
#include "vst3/plugin_vst3.h"
#include "vst3/plugin_vst3_view.h"
#include "vst3/vst3_text.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kTextUnits = 128;  // String128 with its terminator

// Hands a new parameter to the container, which then owns it; false when either fails. The
// container's list has room for every parameter beforehand (see ExportParameters), so only its id
// map can fail, and that happens before the list takes the parameter: the release below is the
// only one.
bool AddTo(ParameterContainer& container, Parameter* parameter) {
  if (!parameter) return false;
  try {
    container.addParameter(parameter);
  } catch (const std::bad_alloc&) {
    parameter->release();
    return false;
  }
  return true;
}

}  // namespace

bool IPluginVST3::ExportParameters() {
  try {
    parameters.init(NParams() + 1);  // the list never grows while parameters are added
  } catch (const std::bad_alloc&) {
    return false;
  }
  String128 title;
  String128 units;
  if (NPresets() > 0) {
    WidenText("Preset", title, kTextUnits);
    WidenText("", units, kTextUnits);
    // One step fewer than presets: normalized 1.0 names the last slot.
    auto* preset =
        new (std::nothrow) Parameter(title, TovaluneVst3Ids::kPresetParamId, units, 0.0,
                                     NPresets() - 1, ParameterInfo::kIsProgramChange, kRootUnitId);
    if (!AddTo(parameters, preset)) return false;
  }
  for (int i = 0; i < NParams(); ++i) {
    if (!ExportParameter(i)) return false;
  }
  return true;
}

bool IPluginVST3::ExportParameter(int idx) {
  const IParameter* param = GetParam(idx);
  const UnitID unit = FindOrAddUnitGroup(param->Group());
  const int32 automate = param->IsAutomatable() ? ParameterInfo::kCanAutomate : 0;
  String128 title;
  String128 units;
  WidenText(param->Name(), title, kTextUnits);
  WidenText(param->UnitText(), units, kTextUnits);
  const ParamID id = static_cast<ParamID>(idx);

  switch (param->Type()) {
    case kTypeBool:
    case kTypeEnum: {
      auto* list = new (std::nothrow)
          StringListParameter(title, id, units, ParameterInfo::kIsList | automate, unit);
      if (!list) return false;
      String128 entry;
      try {
        for (int32 k = 0; k < param->DisplayTextCount(); ++k) {
          WidenText(param->DisplayTextFor(k), entry, kTextUnits);
          list->appendString(entry);
        }
      } catch (const std::bad_alloc&) {
        list->release();
        return false;
      }
      return AddTo(parameters, list);
    }
    case kTypeInt:
    case kTypeDouble: {
      auto* range = new (std::nothrow) RangeParameter(title, id, units, param->Min(), param->Max(),
                                                      param->Default(), 0, automate, unit);
      if (!range) return false;
      range->setPrecision(param->DisplayPrecision());
      // The default's position on the parameter's own curve (linear for a shape of 1).
      range->getInfo().defaultNormalizedValue = param->ToNormalized(param->Default());
      return AddTo(parameters, range);
    }
    default:
      return true;  // a parameter without a type is not exported
  }
}

tresult PLUGIN_API IPluginVST3::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
  // The container would throw for an index outside its list; the answer is the SDK's own.
  if (paramIndex < 0 || paramIndex >= parameters.getParameterCount()) return kResultFalse;
  return EditController::getParameterInfo(paramIndex, info);
}

tresult PLUGIN_API IPluginVST3::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                      String128 string) {
  if (!string) return kInvalidArgument;
  if (std::isnan(valueNormalized)) return kInvalidArgument;
  const double v = std::clamp(valueNormalized, 0.0, 1.0);
  char text[IParameter::kTextSize] = {};
  if (id == TovaluneVst3Ids::kPresetParamId && NPresets() > 0) {
    WidenText(GetPresetName(PresetIndexFor(v)), string, kTextUnits);
    return kResultOk;
  }
  const IParameter* param = id < static_cast<ParamID>(NParams()) ? GetParam(id) : nullptr;
  if (!param) return kResultFalse;
  param->FormatValueFor(v, true, text, true);
  WidenText(text, string, kTextUnits);
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::getParamValueByString(ParamID id, TChar* string,
                                                      ParamValue& valueNormalized) {
  if (!string) return kInvalidArgument;
  const IParameter* param = id < static_cast<ParamID>(NParams()) ? GetParam(id) : nullptr;
  if (!param) return EditController::getParamValueByString(id, string, valueNormalized);
  // The reverse of getParamStringByValue: a display text, or the number as shown.
  char text[kTextUnits];
  NarrowText(string, text, kTextUnits);
  int32_t shownValue = 0;
  if (param->ValueForDisplayText(text, &shownValue)) {
    valueNormalized = param->ToNormalized(shownValue);
    return kResultOk;
  }
  char* end = nullptr;
  double plain = std::strtod(text, &end);
  if (end == text || !std::isfinite(plain)) return kResultFalse;
  valueNormalized = param->ToNormalized(param->NegateDisplay() ? -plain : plain);
  return kResultOk;
}

ParamValue PLUGIN_API IPluginVST3::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
  if (std::isnan(valueNormalized)) return valueNormalized;
  const double v = std::clamp(valueNormalized, 0.0, 1.0);
  const IParameter* param = id < static_cast<ParamID>(NParams()) ? GetParam(id) : nullptr;
  if (!param) return EditController::normalizedParamToPlain(id, v);
  // The same curve as plainParamToNormalized and the value texts, so conversions round-trip.
  return param->Min() + (param->Max() - param->Min()) * std::pow(v, param->Shape());
}

ParamValue PLUGIN_API IPluginVST3::plainParamToNormalized(ParamID id, ParamValue plainValue) {
  const IParameter* param = id < static_cast<ParamID>(NParams()) ? GetParam(id) : nullptr;
  return param ? param->ToNormalized(plainValue) : plainValue;
}

ParamValue PLUGIN_API IPluginVST3::getParamNormalized(ParamID id) {
  if (id == TovaluneVst3Ids::kBypassParamId) return IsBypassed() ? 1.0 : 0.0;
  if (id == TovaluneVst3Ids::kPresetParamId) {
    const int steps = NPresets() - 1;
    return steps > 0 ? static_cast<double>(GetCurrentPresetIdx()) / steps : 0.0;
  }
  const IParameter* param = id < static_cast<ParamID>(NParams()) ? GetParam(id) : nullptr;
  return param ? param->GetNormalized() : 0.0;
}

tresult PLUGIN_API IPluginVST3::setParamNormalized(ParamID id, ParamValue value) {
  IParameter* param = id < static_cast<ParamID>(NParams()) ? GetParam(id) : nullptr;
  if (!param || std::isnan(value)) return kResultFalse;
  param->SetFromNormalized(std::clamp(value, 0.0, 1.0));
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::setComponentState(IBStream* /*state*/) {
  return kNotImplemented;
}

IPlugView* PLUGIN_API IPluginVST3::createView(FIDString name) {
  if (!name || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
  return new (std::nothrow) IPluginVST3View(this);
}

int32 PLUGIN_API IPluginVST3::getUnitCount() {
  return NUnitGroups() + 1;
}

tresult PLUGIN_API IPluginVST3::getUnitInfo(int32 unitIndex, UnitInfo& info) {
  if (unitIndex == 0) {
    info.id = kRootUnitId;
    info.parentUnitId = kNoParentUnitId;
    WidenText("Root Unit", info.name, kTextUnits);
    info.programListId = kNoProgramListId;
    return kResultOk;
  }
  if (unitIndex >= 1 && unitIndex <= NUnitGroups()) {
    info.id = unitIndex;
    info.parentUnitId = kRootUnitId;
    WidenText(GetUnitGroupName(unitIndex - 1), info.name, kTextUnits);
    info.programListId = kNoProgramListId;
    return kResultOk;
  }
  return kResultFalse;
}

int32 PLUGIN_API IPluginVST3::getProgramListCount() {
  return 0;
}

tresult PLUGIN_API IPluginVST3::getProgramListInfo(int32 listIndex, ProgramListInfo& info) {
  if (listIndex != 0) return kResultFalse;
  info.id = TovaluneVst3Ids::kPresetParamId;
  WidenText("Factory Presets", info.name, kTextUnits);
  info.programCount = NPresets();
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::getProgramName(ProgramListID listId, int32 programIndex,
                                               String128 name) {
  if (listId != static_cast<ProgramListID>(TovaluneVst3Ids::kPresetParamId) || !name) {
    return kResultFalse;
  }
  if (programIndex < 0 || programIndex >= NPresets()) return kResultFalse;
  WidenText(GetPresetName(programIndex), name, kTextUnits);
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::getProgramInfo(ProgramListID, int32, Vst::CString, String128) {
  return kNotImplemented;
}

tresult PLUGIN_API IPluginVST3::hasProgramPitchNames(ProgramListID, int32) {
  return kNotImplemented;
}

tresult PLUGIN_API IPluginVST3::getProgramPitchName(ProgramListID, int32, int16, String128) {
  return kNotImplemented;
}

UnitID PLUGIN_API IPluginVST3::getSelectedUnit() {
  return kRootUnitId;
}

tresult PLUGIN_API IPluginVST3::selectUnit(UnitID) {
  return kNotImplemented;
}

tresult PLUGIN_API IPluginVST3::getUnitByBus(MediaType, BusDirection, int32, int32, UnitID&) {
  return kNotImplemented;
}

tresult PLUGIN_API IPluginVST3::setUnitProgramData(int32, int32, IBStream*) {
  return kNotImplemented;
}
