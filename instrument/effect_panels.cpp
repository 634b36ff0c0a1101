#include "instrument/effect_panels.h"

#include "engine/engine_params.h"

namespace EffectPanels {
namespace {

using namespace EngineParam;

const char* const kSlot1Labels[kSlot1ChoiceCount] = {
    "FX Slot 1 : No Effect",  "FX Slot 1 : Chorus",     "FX Slot 1 : Flanger",
    "FX Slot 1 : Tube Dist",  "FX Slot 1 : Solid Dist", "FX Slot 1 : Foldback",
    "FX Slot 1 : Bitcrusher",
};

const char* const kSlot2Labels[kSlot2ChoiceCount] = {
    "FX Slot 2 : No Effect",
    "FX Slot 2 : Delay",
    "FX Slot 2 : Reverb",
};

const int kChorusParams[] = {FXSlot1ChorusBandwidth, FXSlot1ChorusCenter, FXSlot1ChorusFeedback,
                             FXSlot1ChorusOffOn, FXSlot1ChorusRate};
const int kFlangerParams[] = {FXSlot1FlangerBandwidth, FXSlot1FlangerCenter, FXSlot1FlangerFeedback,
                              FXSlot1FlangerOffOn, FXSlot1FlangerRate};
const int kTubeParams[] = {FXSlot1TubeDistLoad, FXSlot1TubeDistOffOn, FXSlot1TubeDistPostGain,
                           FXSlot1TubeDistPreGain};
const int kSolidParams[] = {FXSlot1TransistorDistLoad, FXSlot1TransistorDistOffOn,
                            FXSlot1TransistorDistPostGain, FXSlot1TransistorDistPreGain};
const int kFoldbackParams[] = {FXSlot1FoldbackDistOffOn, FXSlot1FoldbackDistPostGain,
                               FXSlot1FoldbackDistPreGain, FXSlot1FoldbackDistThreshold};
const int kBitcrusherParams[] = {FXSlot1BitcrushDistBitDepth, FXSlot1BitcrushDistOffOn,
                                 FXSlot1BitcrushDistPostGain, FXSlot1BitcrushDistPreGain};
const int kDelayParams[] = {FXSlot2DelayCutoff, FXSlot2DelayDryWet,   FXSlot2DelayFeedback,
                            FXSlot2DelayOffOn,  FXSlot2DelayTimeDivL, FXSlot2DelayTimeDivR};
const int kReverbParams[] = {FXSlot2ReverbDamp, FXSlot2ReverbDryWet, FXSlot2ReverbOffOn,
                             FXSlot2ReverbSize, FXSlot2ReverbWidth};

struct PanelRow {
  const int* params;
  int count;
};

template <int N>
constexpr PanelRow Row(const int (&params)[N]) {
  return PanelRow{params, N};
}

const PanelRow kPanels[kPanelCount] = {
    Row(kChorusParams),   Row(kFlangerParams),    Row(kTubeParams),  Row(kSolidParams),
    Row(kFoldbackParams), Row(kBitcrusherParams), Row(kDelayParams), Row(kReverbParams),
};

}  // namespace

const char* Slot1Label(int choice) {
  return choice >= 1 && choice <= kSlot1ChoiceCount ? kSlot1Labels[choice - 1] : nullptr;
}

const char* Slot2Label(int choice) {
  return choice >= 1 && choice <= kSlot2ChoiceCount ? kSlot2Labels[choice - 1] : nullptr;
}

const int* PanelParams(int panel, int* count) {
  const bool known = panel >= 0 && panel < kPanelCount;
  if (count) *count = known ? kPanels[panel].count : 0;
  return known ? kPanels[panel].params : nullptr;
}

}  // namespace EffectPanels
