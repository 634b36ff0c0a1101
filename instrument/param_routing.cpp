// Where every parameter change ends: the engine copy, the arpeggiator and voice-mode coupling,
// the effect panels and their labels, the on-screen keys and the preset commands.
#include "engine/engine_params.h"
#include "instrument/effect_panels.h"
#include "instrument/tovalune.h"

namespace {

using namespace EngineParam;

constexpr int kKeyNoteOffset = 36 - Key036A;  // note number of key parameter idx: idx + offset
constexpr int kKeyVelocity = 64;

// Truncation toward zero that stays defined for values beyond the int range.
int TruncatedChoice(double value) {
  if (!(value > -2147483648.0 && value < 2147483648.0)) return 0;
  return static_cast<int>(value);
}

}  // namespace

void Tovalune::ParamChanged(int idx) {
  MutexLock lock(GetMutex());
  const IParameter* param = GetParam(idx);
  if (!param) return;
  const double v = param->Value();
  WriteEngine(idx, v);

  switch (idx) {
    case ArpeggiatorMode:
      AllNotesOff();
      // The arpeggiator plays in poly mode.
      if (v != 0.0) SetCoupledParam(VoiceModeMonoUniPoly, 1.0);
      break;
    case VoiceModeMonoUniPoly:
      AllNotesOff();
      if (VoiceModeOf(v) != VoiceMode::Poly) SetCoupledParam(ArpeggiatorMode, 0.0);
      break;
    case FXSlot1Selector:
      ApplyFxSlot1Selector();
      break;
    case FXSlot2Selector:
      ApplyFxSlot2Selector();
      break;
    case PresetBackward:
    case PresetForward:
      if (v == 1.0 && !restoring) StepAndLoadPreset(idx == PresetForward);
      break;
    case PresetLoad:
      // Only a file the user chose in the load dialog is read; a restore or the host setting
      // this parameter reads nothing. A restore leaves a pending choice for the selector.
      if (!restoring && editorState.TakeFileRequest(PresetFileSelector::kLoad)) {
        AllNotesOff();
        LoadPresetFile();
      }
      break;
    case PresetSave:
      // Only the user's save dialog writes a file; nothing else may overwrite one.
      if (!restoring && editorState.TakeFileRequest(PresetFileSelector::kSave)) SavePresetFile();
      break;
    case PresetSelector:
      if (!restoring) {
        AllNotesOff();
        LoadFactoryPresetTail();
      }
      break;
    case zInitParams:
      ParamChanged(FXSlot1Selector);
      ParamChanged(FXSlot2Selector);
      break;
    default:
      if (idx >= Key036A && idx <= Key060A) QueueKeyNote(idx);
      break;
  }
}

void Tovalune::SetCoupledParam(int idx, double value) {
  // Both coupled parameters span [0, 1], so the plain value is also the normalized one.
  PushParamToGui(idx, value, true);
  WriteEngine(idx, value);
  WriteRecord(idx, value);
}

void Tovalune::ApplyFxSlot1Selector() {
  // The 0.01 lets a value just below a whole number (1.995) select the next effect.
  const int choice = TruncatedChoice(ParamValue(FXSlot1Selector) + 0.01);
  const char* label = EffectPanels::Slot1Label(choice);
  if (!label) return;
  for (int k = 0; k < EffectPanels::kSlot1PanelCount; ++k) {
    // Choice 1 is "No Effect"; choice c shows panel c - 2.
    SetPanelHidden(EffectPanels::kSlot1FirstPanel + k, k != choice - 2);
  }
  editorState.ReplaceLabelText(EditorLabel::kFxSlot1, label);
}

void Tovalune::ApplyFxSlot2Selector() {
  const int choice = TruncatedChoice(ParamValue(FXSlot2Selector));
  const char* label = EffectPanels::Slot2Label(choice);
  if (!label) return;
  for (int k = 0; k < EffectPanels::kSlot2PanelCount; ++k)
    SetPanelHidden(EffectPanels::kSlot2FirstPanel + k, k != choice - 2);
  editorState.ReplaceLabelText(EditorLabel::kFxSlot2, label);
}

void Tovalune::QueueKeyNote(int idx) {
  if (restoring) return;
  const double v = ParamValue(idx);
  const uint8_t note = static_cast<uint8_t>(idx + kKeyNoteOffset);
  if (v == 0.0) {
    const IMidiMessage off(0, 0x80, note, 0);
    midiQueue.Add(&off);
  } else if (v == 1.0) {
    const IMidiMessage on(0, 0x90, note, kKeyVelocity);
    midiQueue.Add(&on);
  }
}

void Tovalune::StepAndLoadPreset(bool forward) {
  AllNotesOff();
  WriteRecord(PresetSelector, currentPreset);
  WriteEngine(PresetSelector, currentPreset);
  if (forward) {
    StepPresetForward();
  } else {
    StepPresetBackward();
  }
  LoadFactoryPresetTail();
}

void Tovalune::LoadFactoryPresetTail() {
  try {
    SelectFactoryPresetPath();
    LoadPresetFile();
  } catch (...) {
    // Out of memory for the file name: nothing is loaded.
  }
  currentPreset = static_cast<float>(ParamValue(PresetSelector));
  PresetSelectorToRest();
}

void Tovalune::PresetSelectorToRest() {
  WriteRecord(PresetSelector, 0.0);
  WriteEngine(PresetSelector, 0.0);
}

void Tovalune::RestMomentaryParams() {
  // A stored state may hold a pressed key or a preset command; neither may act or stay set.
  auto rest = [this](int idx) {
    if (ParamValue(idx) == 0.0) return;
    WriteRecord(idx, 0.0);
    WriteEngine(idx, 0.0);
    PushParamToGui(idx, 0.0, true);
  };
  for (int idx = Key036A; idx <= Key060A; ++idx)
    rest(idx);
  rest(PresetBackward);
  rest(PresetForward);
  PresetSelectorToRest();
}
