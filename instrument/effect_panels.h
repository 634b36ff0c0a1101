// The eight effect panels of the editor and what the two effect-slot selectors show: slot 1
// offers no effect or one of six effects, slot 2 no effect, the delay or the reverb. Exactly one
// panel per slot is visible, or none for "No Effect".
#pragma once

namespace EffectPanels {

// Panel numbers, in the order of the instrument's panel flags.
enum Panel : int {
  kChorus = 0,
  kFlanger = 1,
  kTube = 2,
  kSolid = 3,
  kFoldback = 4,
  kBitcrusher = 5,
  kDelay = 6,
  kReverb = 7,
};
constexpr int kPanelCount = 8;
constexpr int kSlot1FirstPanel = kChorus;
constexpr int kSlot1PanelCount = 6;
constexpr int kSlot2FirstPanel = kDelay;
constexpr int kSlot2PanelCount = 2;

constexpr int kSlot1ChoiceCount = 7;  // choices 1..7
constexpr int kSlot2ChoiceCount = 3;  // choices 1..3

// The label of slot choice `choice` (1-based), or null when the slot has no such choice.
// Any thread; allocate nothing.
const char* Slot1Label(int choice);
const char* Slot2Label(int choice);

// The parameters bound to a panel's controls after its picture, in the order they are hidden
// and shown; count receives their number (0 for an unknown panel, with a null result).
// Any thread; allocates nothing.
const int* PanelParams(int panel, int* count);

}  // namespace EffectPanels
