// The instrument editor's layout: every control in drawing order with its place, parameter and
// picture, the effect panels, the on-screen keys, the modulation matrix grid, the two text styles
// and the plates the main panel picture draws under the controls. The editor builder walks
// kControls; the artwork generator draws wells, captions and plates from the same tables, so the
// pictures and the controls cannot drift apart. Header-only constant data: any thread, nothing
// allocates.
#pragma once

#include <array>
#include <cstdint>

#include "engine/engine_params.h"
#include "instrument/editor/editor_images.h"

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

enum EffectPanelId : int {
  kPanelChorus = 0,
  kPanelFlanger = 1,
  kPanelTube = 2,
  kPanelSolid = 3,
  kPanelFoldback = 4,
  kPanelBitcrusher = 5,
  kPanelDelay = 6,
  kPanelReverb = 7,
};
constexpr int kEffectPanelCount = 8;

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

// Indexed by EffectPanelId.
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

// The frame (1..frames) a knob, switch or wheel shows for a normalized value.
constexpr int FrameForValue(double value, int frames) {
  const int frame = static_cast<int>((frames - 1) * value + 0.5) + 1;
  return frame < 1 ? 1 : (frame > frames ? frames : frame);
}

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

// ---- Controls -----------------------------------------------------------------------------

enum class ControlKind : int {
  kBackground,       // picture attached as control 0
  kBitmap,           // picture without parameter
  kPitchWheel,       // the spring-loaded wheel
  kKnob,             // knob strip, vertical drag
  kContact,          // momentary button
  kSwitch,           // multi-state button, one frame per state
  kText,             // text label
  kFxSlot1Selector,  // invisible popup controls
  kFxSlot2Selector,
  kPresetSelector,
  kFileOpen,  // file selectors
  kFileSave,
  kPanel,  // filled rectangle
};

// The controls the instrument keeps pointers to.
enum class Member : int {
  kNone,
  kFxSlot1Label,
  kFxSlot2Label,
  kPresetNameLabel,
  kLoadSelector,
  kSaveSelector,
};

struct Control {
  ControlKind kind = ControlKind::kBitmap;
  Rect rect{};
  int param = -1;
  int image = 0;   // image id, 0 for none
  int panel = -1;  // the effect panel whose visibility it follows
  TextStyleId style = TextStyleId::kNone;
  const char* text = nullptr;
  std::uint32_t colour = 0;  // panel fill, 0xAARRGGBB
  Member member = Member::kNone;
  const char* caption = nullptr;  // printed under it on the panel picture
};

constexpr int kControlCount = 163;
constexpr double kKnobGearing = 4.0;
constexpr Rect kFxSlot1LabelRect = {77, 39, 237, 59};
constexpr Rect kFxSlot2LabelRect = {625, 39, 785, 59};
constexpr Rect kPresetNameRect = {300, 0, 700, 25};

namespace detail {

constexpr Control Picture(ControlKind kind, int x, int y, int param, int image,
                          const char* caption = nullptr, int panel = -1) {
  Control c;
  c.kind = kind;
  c.rect = PlaceImage(x, y, image);
  c.param = param;
  c.image = image;
  c.panel = panel;
  c.caption = caption;
  return c;
}
constexpr Control Knob(int x, int y, int param, const char* caption, int image = kImageKnobWhite) {
  return Picture(ControlKind::kKnob, x, y, param, image, caption);
}
constexpr Control Sized(ControlKind kind, Rect rect, int param = -1, int image = 0) {
  Control c;
  c.kind = kind;
  c.rect = rect;
  c.param = param;
  c.image = image;
  return c;
}
constexpr Control Text(Rect rect, TextStyleId style, const char* text, Member member) {
  Control c = Sized(ControlKind::kText, rect);
  c.style = style;
  c.text = text;
  c.member = member;
  return c;
}

struct ControlList {
  std::array<Control, kControlCount> items{};
  int count = 0;
  constexpr void Add(const Control& c) { items[count++] = c; }
};

// Adds a row of main-panel knobs with one x per parameter.
constexpr void AddKnobRow(ControlList& list, int y, const std::array<int, 4>& params,
                          const std::array<int, 4>& xs, const std::array<const char*, 4>& captions,
                          int count) {
  for (int i = 0; i < count; ++i)
    list.Add(Knob(xs[i], y, params[i], captions[i]));
}

constexpr std::array<Control, kControlCount> BuildControls() {
  using K = ControlKind;
  ControlList list;
  Control background = Sized(K::kBackground, {0, 0, 1000, 1000}, -1, kImageBackground);
  list.Add(background);
  list.Add(Picture(K::kBitmap, 0, 0, -1, kImageHeader));
  list.Add(Picture(K::kBitmap, 20, 30, -1, kImageMainPanel));
  for (int p = 0; p < kEffectPanelCount; ++p) {
    const EffectPanel& panel = kEffectPanels[p];
    list.Add(Picture(K::kBitmap, panel.x, panel.y, -1, panel.cartridgeImage, nullptr, p));
  }
  list.Add(Picture(K::kPitchWheel, kPitchWheelX, kWheelY, P::PitchBend, kImageWheel, "PITCH"));
  list.Add(Picture(K::kKnob, kModWheelX, kWheelY, P::ModWheel, kImageWheel, "MOD"));
  for (int note = kFirstKeyNote; note <= kLastKeyNote; ++note) {
    list.Add(Sized(K::kContact, KeyRect(note), KeyParam(note), KeyImage(note)));
  }
  for (int p = 0; p < kEffectPanelCount; ++p) {
    const EffectPanel& panel = kEffectPanels[p];
    list.Add(Picture(K::kSwitch, panel.switchX, panel.switchY, panel.switchParam,
                     kImageEffectSwitch, "ON", p));
  }
  for (int p = 0; p < kEffectPanelCount; ++p) {
    const EffectPanel& panel = kEffectPanels[p];
    for (int k = 0; k < panel.knobCount; ++k) {
      const PanelKnob& knob = panel.knobs[k];
      list.Add(
          Picture(K::kKnob, knob.x, kEffectKnobY, knob.param, panel.knobImage, knob.caption, p));
    }
  }
  constexpr std::array<int, 4> envX = {770, 820, 920, 870};
  constexpr std::array<const char*, 4> adrs = {"A", "D", "R", "S"};
  AddKnobRow(list, 185, {P::Env1Attack, P::Env1Decay, P::Env1Release, P::Env1Sustain}, envX, adrs,
             4);
  AddKnobRow(list, 252, {P::Env2Attack, P::Env2Decay, P::Env2Release, P::Env2Sustain}, envX, adrs,
             4);
  AddKnobRow(list, 319, {P::EnvAmpAttack, P::EnvAmpDecay, P::EnvAmpRelease, P::EnvAmpSustain}, envX,
             adrs, 4);
  list.Add(Knob(320, 185, P::FilterHpCutoff, "HIGH PASS"));
  list.Add(Knob(320, 252, P::FilterLpCutoff, "CUTOFF"));
  list.Add(Knob(379, 262, P::FilterLpKeyTrack, "KEY", kImageSmallKnobKarmaRed));
  list.Add(Knob(320, 319, P::FilterLpResonance, "RESONANCE"));
  list.Add(Knob(668, 185, P::Lfo1Rate, "RATE 1"));
  list.Add(Knob(668, 252, P::Lfo2Rate, "RATE 2"));
  list.Add(Knob(668, 319, P::MainVolume, "VOLUME"));
  list.Add(Knob(253, 319, P::NoiseLevel, "NOISE"));
  list.Add(Knob(253, 185, P::Osc1Level, "OSC 1"));
  list.Add(Knob(253, 252, P::Osc2Level, "OSC 2"));
  constexpr std::array<int, 4> oscX = {190, 140, 40, 0};
  constexpr std::array<const char*, 4> oscCaptions = {"MATH", "MORPH", "PITCH", nullptr};
  AddKnobRow(list, 185, {P::Osc1OvertonesMath, P::Osc1OvertonesMorph, P::Osc1Pitch, -1}, oscX,
             oscCaptions, 3);
  AddKnobRow(list, 252, {P::Osc2OvertonesMath, P::Osc2OvertonesMorph, P::Osc2Pitch, -1}, oscX,
             oscCaptions, 3);
  list.Add(Knob(40, 319, P::VoiceSpreadAmt, "SPREAD"));
  list.Add(Knob(190, 319, P::PitchBendRngAmt, "BEND"));
  list.Add(Knob(140, 319, P::PitchGlideAmt, "GLIDE"));
  list.Add(Picture(K::kSwitch, 40, 405, P::ArpeggiatorMode, kImageArpMode, "MODE"));
  list.Add(Picture(K::kSwitch, 52, 462, P::ArpeggiatorBpmDivider, kImageRedLed, "1/8"));
  list.Add(Picture(K::kSwitch, 737, 330, P::EnvAmpRetrigOffOn, kImageRedLed, "RETRIG"));
  list.Add(Picture(K::kSwitch, 90, 185, P::Osc1OvertonesCoeff, kImageOvertoneSet, "SET"));
  list.Add(Picture(K::kSwitch, 90, 252, P::Osc2OvertonesCoeff, kImageOvertoneSet, "SET"));
  list.Add(Picture(K::kSwitch, 90, 319, P::VoiceModeMonoUniPoly, kImageVoiceMode, "MODE"));
  for (int row = kRowE1; row <= kRowVL; ++row) {
    for (int col = 0; col < kMatrixColumnCount; ++col) {
      if (MatrixParam(row, col) < 0) continue;
      list.Add(Picture(K::kKnob, kMatrixColumns[col].x, kMatrixRows[row].y, MatrixParam(row, col),
                       kMatrixColumns[col].image));
    }
  }
  for (int col = 0; col < kMatrixColumnCount; ++col) {
    list.Add(Picture(K::kSwitch, kMatrixColumns[col].x + kMatrixSwitchOffset, kMatrixRows[kRowMW].y,
                     MatrixParam(kRowMW, col), kImageRedLed));
  }
  list.Add(Text(kFxSlot1LabelRect, TextStyleId::kSlotLabel, "", Member::kFxSlot1Label));
  list.Add(Text(kFxSlot2LabelRect, TextStyleId::kSlotLabel, "", Member::kFxSlot2Label));
  list.Add(Sized(K::kFxSlot1Selector, kFxSlot1LabelRect));
  list.Add(Sized(K::kFxSlot2Selector, kFxSlot2LabelRect));
  list.Add(Picture(K::kContact, 280, 0, P::PresetBackward, kImagePresetBackward));
  list.Add(Picture(K::kContact, 700, 0, P::PresetForward, kImagePresetForward));
  list.Add(Picture(K::kBitmap, 240, 0, -1, kImagePresetLoad));
  list.Add(Picture(K::kBitmap, 720, 0, -1, kImagePresetSave));
  Control load = Sized(K::kFileOpen, {240, 0, 280, 25}, P::PresetLoad, kImagePresetLoad);
  load.member = Member::kLoadSelector;
  list.Add(load);
  Control save = Sized(K::kFileSave, {720, 0, 760, 25}, P::PresetSave, kImagePresetSave);
  save.member = Member::kSaveSelector;
  list.Add(save);
  Control shade = Sized(K::kPanel, kPresetNameRect);
  shade.colour = 0x8C000000u;  // black at alpha 140
  list.Add(shade);
  list.Add(Text({300, 3, 700, 25}, TextStyleId::kPresetName, "< Presets Library >",
                Member::kPresetNameLabel));
  list.Add(Sized(K::kPresetSelector, kPresetNameRect));
  return list.count == kControlCount ? list.items : std::array<Control, kControlCount>{};
}

}  // namespace detail

// Every control in the order the editor adds them (index 0 is the background).
inline constexpr std::array<Control, kControlCount> kControls = detail::BuildControls();
static_assert(kControls[kControlCount - 1].kind == ControlKind::kPresetSelector,
              "the control list is complete");

}  // namespace EditorLayout
