// The instrument editor's layout: every control in drawing order with its place, parameter and
// picture. The editor builder walks kControls; the artwork generator draws wells, captions and
// plates from the same tables (here and in editor_sections.h), so the pictures and the controls
// cannot drift apart. Header-only constant data: any thread, nothing allocates.
#pragma once

#include <array>
#include <cstdint>

#include "engine/engine_params.h"
#include "instrument/editor/editor_images.h"
#include "instrument/editor/editor_sections.h"

namespace EditorLayout {
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
  list.Add(Picture(K::kBitmap, kMainPanelRect.left, kMainPanelRect.top, -1, kImageMainPanel));
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
