// The instrument editor's groups of controls and their decoration: the two text styles, the
// effect panels, the on-screen keys and wheels, the modulation matrix grid and the plates the
// main panel picture draws under the controls. Header-only constant data: any thread, nothing
// allocates.
#pragma once

#include <array>

#include "engine/engine_params.h"
#include "graphics/graphics_types.h"  // FrameForValue: the frame a control shows
#include "instrument/editor/editor_images.h"
#include "instrument/effect_panels.h"

namespace EditorLayout {

// ---- Text styles --------------------------------------------------------------------------

struct Colour {
  int alpha;
  int red;
  int green;
  int blue;
};

enum class TextStyleId : int { kNone = 0, kSlotLabel = 1, kPresetName = 2 };

struct TextStyle {
  const char* face;
  int size;  // font height in pixels at single scale
  Colour colour;
  Colour entryBackground;
  Colour entryText;
  int style;      // 0 normal, 1 bold
  int alignment;  // 0 left, 1 centre, 2 right
  int orientation;
  int quality;
};

inline constexpr TextStyle kSlotLabelStyle = {
    "Comic Sans MS", 16, {200, 255, 255, 255}, {255, 255, 255, 255}, {255, 0, 0, 0}, 1, 1, 0, 0};
inline constexpr TextStyle kPresetNameStyle = {
    "Arial", 20, {255, 100, 100, 100}, {255, 255, 255, 255}, {255, 0, 0, 0}, 1, 1, 0, 0};

// ---- Effect panels ------------------------------------------------------------------------

// Panels are numbered as the instrument's panel flags (EffectPanels::Panel).
constexpr int kEffectPanelCount = EffectPanels::kPanelCount;

struct PanelKnob {
  int param;
  int x;
  const char* caption;
};

struct EffectPanel {
  const char* title;
  int cartridgeImage;
  int x;  // cartridge position
  int y;
  int switchParam;  // the on/off switch, image kImageEffectSwitch
  int switchX;
  int switchY;
  int knobImage;
  int knobCount;
  std::array<PanelKnob, 5> knobs;  // in the order the editor adds them
};

constexpr int kEffectKnobY = 91;
constexpr int kSlot1X = 50;
constexpr int kSlot2X = 501;
constexpr int kSlotY = 64;

namespace P = EngineParam;

// Indexed by EffectPanels::Panel.
inline constexpr std::array<EffectPanel, kEffectPanelCount> kEffectPanels = {{
    {"CHORUS",
     kImageCartridgeChorus,
     kSlot1X,
     kSlotY,
     P::FXSlot1ChorusOffOn,
     85,
     73,
     kImageKnobGreen,
     4,
     {{{P::FXSlot1ChorusBandwidth, 120, "WIDTH"},
       {P::FXSlot1ChorusCenter, 210, "CENTER"},
       {P::FXSlot1ChorusFeedback, 300, "FEEDBACK"},
       {P::FXSlot1ChorusRate, 390, "RATE"}}}},
    {"FLANGER",
     kImageCartridgeFlanger,
     kSlot1X,
     kSlotY,
     P::FXSlot1FlangerOffOn,
     85,
     73,
     kImageKnobViolet,
     4,
     {{{P::FXSlot1FlangerBandwidth, 120, "WIDTH"},
       {P::FXSlot1FlangerCenter, 210, "CENTER"},
       {P::FXSlot1FlangerFeedback, 300, "FEEDBACK"},
       {P::FXSlot1FlangerRate, 390, "RATE"}}}},
    {"TUBE",
     kImageCartridgeTube,
     kSlot1X,
     kSlotY,
     P::FXSlot1TubeDistOffOn,
     85,
     73,
     kImageKnobRed,
     3,
     {{{P::FXSlot1TubeDistLoad, 338, "LOAD"},
       {P::FXSlot1TubeDistPostGain, 398, "OUTPUT"},
       {P::FXSlot1TubeDistPreGain, 278, "DRIVE"}}}},
    {"SOLID",
     kImageCartridgeSolid,
     kSlot1X,
     kSlotY,
     P::FXSlot1TransistorDistOffOn,
     85,
     73,
     kImageKnobOrange,
     3,
     {{{P::FXSlot1TransistorDistLoad, 338, "LOAD"},
       {P::FXSlot1TransistorDistPostGain, 398, "OUTPUT"},
       {P::FXSlot1TransistorDistPreGain, 278, "DRIVE"}}}},
    {"FOLDBACK",
     kImageCartridgeFoldback,
     kSlot1X,
     kSlotY,
     P::FXSlot1FoldbackDistOffOn,
     85,
     73,
     kImageKnobPurple,
     3,
     {{{P::FXSlot1FoldbackDistThreshold, 338, "THRESHOLD"},
       {P::FXSlot1FoldbackDistPostGain, 398, "OUTPUT"},
       {P::FXSlot1FoldbackDistPreGain, 278, "DRIVE"}}}},
    {"BITCRUSHER",
     kImageCartridgeBitcrusher,
     kSlot1X,
     kSlotY,
     P::FXSlot1BitcrushDistOffOn,
     85,
     73,
     kImageKnobGreen,
     3,
     {{{P::FXSlot1BitcrushDistBitDepth, 338, "BITS"},
       {P::FXSlot1BitcrushDistPostGain, 398, "OUTPUT"},
       {P::FXSlot1BitcrushDistPreGain, 278, "DRIVE"}}}},
    {"DELAY",
     kImageCartridgeDelay,
     kSlot2X,
     kSlotY,
     P::FXSlot2DelayOffOn,
     536,
     73,
     kImageKnobGrey,
     5,
     {{{P::FXSlot2DelayCutoff, 781, "TONE"},
       {P::FXSlot2DelayDryWet, 856, "MIX"},
       {P::FXSlot2DelayFeedback, 706, "FEEDBACK"},
       {P::FXSlot2DelayTimeDivL, 556, "TIME L"},
       {P::FXSlot2DelayTimeDivR, 631, "TIME R"}}}},
    {"REVERB",
     kImageCartridgeReverb,
     kSlot2X,
     kSlotY,
     P::FXSlot2ReverbOffOn,
     536,
     73,
     kImageKnobBlue,
     4,
     {{{P::FXSlot2ReverbDamp, 751, "DAMP"},
       {P::FXSlot2ReverbDryWet, 841, "MIX"},
       {P::FXSlot2ReverbSize, 571, "SIZE"},
       {P::FXSlot2ReverbWidth, 661, "WIDTH"}}}},
}};

// ---- On-screen keys and wheels ------------------------------------------------------------

constexpr int kFirstKeyNote = 36;
constexpr int kLastKeyNote = 60;
constexpr int kKeyCount = kLastKeyNote - kFirstKeyNote + 1;
constexpr int kKeyX = 204;
constexpr int kKeyY = 402;
constexpr int kKeyPitch = 30;  // x distance between neighbouring keys

constexpr bool IsSharpNote(int note) {
  const int pitchClass = note % 12;
  return pitchClass == 1 || pitchClass == 3 || pitchClass == 6 || pitchClass == 8 ||
         pitchClass == 10;
}
constexpr int KeyImage(int note) {
  return IsSharpNote(note) ? kImageKeySharp : kImageKeyNatural;
}
constexpr int KeyParam(int note) {
  return P::Key036A + note - kFirstKeyNote;
}
constexpr Rect KeyRect(int note) {
  return PlaceImage(kKeyX + kKeyPitch * (note - kFirstKeyNote), kKeyY, KeyImage(note));
}

constexpr int kPitchWheelX = 99;
constexpr int kModWheelX = 149;
constexpr int kWheelY = 405;
// The wheels overlap each other and the first key: only these frame columns are drawn, so each
// visible wheel lies clear of the rectangles of the controls added after it.
constexpr int kWheelDrawnLeft = 20;
constexpr int kWheelDrawnRight = 50;  // exclusive
static_assert(kPitchWheelX + kWheelDrawnRight <= kModWheelX, "pitch wheel under the mod wheel");
static_assert(kModWheelX + kWheelDrawnRight <= kKeyX, "mod wheel under the first key");

// ---- Modulation matrix --------------------------------------------------------------------

enum MatrixRowId : int { kRowE1, kRowE2, kRowL1, kRowL2, kRowVL, kRowMW };
enum MatrixColumnId : int { kColFC, kColM1, kColM2, kColP1, kColP2, kColR1, kColR2 };
constexpr int kMatrixRowCount = 6;
constexpr int kMatrixColumnCount = 7;

struct MatrixRow {
  const char* code;
  int y;
  const char* head;
};
struct MatrixColumn {
  const char* code;
  int x;
  int image;
  const char* group;  // the legend under the grid names pairs of columns once
};

// Rows and columns in the order the editor adds them; MW is the row of switches.
inline constexpr std::array<MatrixRow, kMatrixRowCount> kMatrixRows = {{
    {"E1", 243, "ENV 1"},
    {"E2", 271, "ENV 2"},
    {"L1", 187, "LFO 1"},
    {"L2", 215, "LFO 2"},
    {"VL", 299, "VELO"},
    {"MW", 330, "WHEEL"},
}};
inline constexpr std::array<MatrixColumn, kMatrixColumnCount> kMatrixColumns = {{
    {"FC", 564, kImageSmallKnobKarmaRed, "CUT"},
    {"M1", 508, kImageSmallKnobGrey, "MORPH"},
    {"M2", 536, kImageSmallKnobGrey, "MORPH"},
    {"P1", 452, kImageSmallKnobLightGrey, "PITCH"},
    {"P2", 480, kImageSmallKnobLightGrey, "PITCH"},
    {"R1", 592, kImageSmallKnobViolet, "LFO RATE"},
    {"R2", 620, kImageSmallKnobViolet, "LFO RATE"},
}};
constexpr int kMatrixSwitchOffset = 2;  // switches sit this far right of their column

// The parameter of one grid cell, or -1 where the grid has no control (LFO rows, LFO rates).
inline constexpr int kMatrixParams[kMatrixRowCount][kMatrixColumnCount] = {
    {P::ModMatrixE1FC, P::ModMatrixE1M1, P::ModMatrixE1M2, P::ModMatrixE1P1, P::ModMatrixE1P2,
     P::ModMatrixE1R1, P::ModMatrixE1R2},
    {P::ModMatrixE2FC, P::ModMatrixE2M1, P::ModMatrixE2M2, P::ModMatrixE2P1, P::ModMatrixE2P2,
     P::ModMatrixE2R1, P::ModMatrixE2R2},
    {P::ModMatrixL1FC, P::ModMatrixL1M1, P::ModMatrixL1M2, P::ModMatrixL1P1, P::ModMatrixL1P2, -1,
     -1},
    {P::ModMatrixL2FC, P::ModMatrixL2M1, P::ModMatrixL2M2, P::ModMatrixL2P1, P::ModMatrixL2P2, -1,
     -1},
    {P::ModMatrixVLFC, P::ModMatrixVLM1, P::ModMatrixVLM2, P::ModMatrixVLP1, P::ModMatrixVLP2,
     P::ModMatrixVLR1, P::ModMatrixVLR2},
    {P::ModMatrixMWFC, P::ModMatrixMWM1, P::ModMatrixMWM2, P::ModMatrixMWP1, P::ModMatrixMWP2,
     P::ModMatrixMWR1, P::ModMatrixMWR2},
};
constexpr int MatrixParam(int row, int column) {
  return kMatrixParams[row][column];
}

// ---- Plates of the main panel picture -----------------------------------------------------

// A lighter plate behind a group of controls, titled at its top; a divider line with its own
// title may split it.
struct Plate {
  Rect rect;
  const char* title;
  int dividerY;  // 0: no divider
  const char* dividerTitle;
};

inline constexpr std::array<Plate, 8> kPlates = {{
    {{28, 162, 235, 376}, "OSCILLATORS", 310, "VOICE"},
    {{239, 162, 307, 376}, "MIXER", 0, nullptr},
    {{311, 162, 405, 376}, "FILTER", 0, nullptr},
    {{409, 162, 650, 376}, "MOD MATRIX", 0, nullptr},
    {{654, 162, 722, 376}, "LFO", 310, "OUTPUT"},
    {{726, 162, 972, 376}, "ENVELOPES", 0, nullptr},
    {{28, 382, 94, 495}, "ARP", 0, nullptr},
    {{98, 382, 972, 495}, "KEYBOARD", 0, nullptr},
}};

// The main panel picture, on which the plates lie.
constexpr Rect kMainPanelRect = PlaceImage(20, 30, kImageMainPanel);

// The recess that holds the effect cartridges, and the envelope rows' labels.
constexpr Rect kEffectRack = {47, 62, 954, 157};
struct RowLabel {
  int x;  // centre
  int y;  // centre
  const char* text;
};
inline constexpr std::array<RowLabel, 3> kEnvelopeRowLabels = {{
    {747, 205, "ENV 1"},
    {747, 272, "ENV 2"},
    {745, 322, "AMP"},
}};

}  // namespace EditorLayout
