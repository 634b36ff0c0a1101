// The editor layout table: the controls the editor builds, where they sit and what they bind.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "engine/param_table.h"
#include "instrument/editor/editor_layout.h"

namespace {

using namespace EditorLayout;

std::string ParamName(int index) {
  return EngineParamTable::Rows()[index].name;
}

TEST(EditorLayout, CountsPlacesAndLiteralFactsAndTheKeysByNoteNumber) {
  std::map<ControlKind, int> kinds;
  for (const Control& control : kControls)
    ++kinds[control.kind];
  EXPECT_EQ(kControls.size(), 163u);
  EXPECT_EQ(kinds[ControlKind::kKnob], 92);  // the mod wheel among them
  EXPECT_EQ(kinds[ControlKind::kSwitch], 21);
  EXPECT_EQ(kinds[ControlKind::kContact], 25 + 2);  // and the two step buttons
  const struct {
    int idx;
    Rect rect;
  } places[] = {
      {0, {0, 0, 1000, 1000}},     {1, {0, 0, 1000, 30}},       {2, {20, 30, 980, 500}},
      {3, {50, 64, 500, 154}},     {8, {50, 64, 500, 154}},     {9, {501, 64, 951, 154}},
      {10, {501, 64, 951, 154}},   {11, {99, 405, 169, 485}},   {89, {379, 262, 399, 282}},
      {112, {564, 243, 584, 263}}, {142, {620, 299, 640, 319}}, {143, {566, 330, 582, 346}},
      {151, kFxSlot2LabelRect},    {152, kFxSlot1LabelRect},    {158, {240, 0, 280, 25}},
      {159, {720, 0, 760, 25}}};
  for (const auto& p : places)
    EXPECT_EQ(kControls[p.idx].rect, p.rect) << "control " << p.idx;
  EXPECT_EQ(kControls[11].kind, ControlKind::kPitchWheel);
  EXPECT_EQ(kControls[12].param, EngineParam::ModWheel);
  EXPECT_EQ(kControls[106].param, EngineParam::ArpeggiatorMode);
  EXPECT_EQ(kControls[112].param, EngineParam::ModMatrixE1FC);
  EXPECT_EQ(kControls[149].param, EngineParam::ModMatrixMWR2);
  EXPECT_EQ(kControls[150].member, Member::kFxSlot1Label);
  EXPECT_EQ(kControls[158].member, Member::kLoadSelector);
  EXPECT_EQ(kControls[160].colour, 0x8C000000u);
  EXPECT_STREQ(kControls[161].text, "< Presets Library >");
  EXPECT_EQ(kControls[162].kind, ControlKind::kPresetSelector);
  EXPECT_EQ(Scaled(kEditorRect, kDoubleScale), (Rect{0, 0, 2000, 1060}));
  EXPECT_EQ(Scaled(kControls[11].rect, 2), (Rect{198, 810, 338, 970}));
  // The keys by note number.
  const std::set<int> sharps = {37, 39, 42, 44, 46, 49, 51, 54, 56, 58};
  for (int note = 36; note <= 60; ++note) {
    const Control& key = kControls[13 + note - 36];
    EXPECT_EQ(key.rect, (Rect{204 + 30 * (note - 36), 402, 234 + 30 * (note - 36), 482}));
    EXPECT_EQ(key.image, sharps.count(note) ? kImageKeySharp : kImageKeyNatural) << note;
    EXPECT_EQ(ParamName(key.param), "Key0" + std::to_string(note) + "A");
  }
}

TEST(EditorLayout, BindsEachParameterOnceAndTheMatrixByName) {
  std::set<int> bound;
  for (const Control& control : kControls) {
    if (control.param >= 0) EXPECT_TRUE(bound.insert(control.param).second) << control.param;
  }
  EXPECT_EQ(bound.size(), 143u);
  EXPECT_EQ(bound.count(EngineParam::Env1RetrigOffOn) + bound.count(EngineParam::Env2RetrigOffOn),
            0u);
  int cells = 0;
  for (int row = 0; row < kMatrixRowCount; ++row) {
    for (int col = 0; col < kMatrixColumnCount; ++col) {
      if (MatrixParam(row, col) < 0) continue;
      ++cells;
      EXPECT_EQ(ParamName(MatrixParam(row, col)),
                std::string("ModMatrix") + kMatrixRows[row].code + kMatrixColumns[col].code);
    }
  }
  EXPECT_EQ(cells, 38);  // the two LFO rows do not modulate their own rates
}

TEST(EditorLayout, KeepsControlsInsideOnTheirPlatesAndOverlappingOnlyWhereStacked) {
  // Label and selector, picture and file selector, the preset name's shade, text and menu, and
  // the two wheels with the first key; effect panels of one slot stack in the same bay.
  const std::set<std::pair<int, int>> stacked = {{150, 152}, {151, 153}, {156, 158},
                                                 {157, 159}, {160, 161}, {160, 162},
                                                 {161, 162}, {11, 12},   {12, 13}};
  auto slot = [](int i) {
    const int p = kControls[i].panel;
    return p < 0 ? -1 : int{p >= EffectPanels::kSlot2FirstPanel};
  };
  const Rect panel = kControls[2].rect;
  for (int i = 1; i < kControlCount; ++i) {
    const Control& control = kControls[i];
    EXPECT_TRUE(kEditorRect.Contains(control.rect)) << "control " << i;
    if (control.panel >= 0) EXPECT_TRUE(kControls[3 + control.panel].rect.Contains(control.rect));
    const bool operable =
        control.kind == ControlKind::kKnob || control.kind == ControlKind::kSwitch ||
        control.kind == ControlKind::kContact || control.kind == ControlKind::kPitchWheel;
    if (operable && control.panel < 0 && panel.Contains(control.rect)) {
      int plates = 0;
      for (const Plate& plate : kPlates)
        plates += plate.rect.Contains(control.rect) && panel.Contains(plate.rect);
      EXPECT_EQ(plates, 1) << "control " << i;
    }
    for (int j = i + 1; i >= 3 && j < kControlCount; ++j) {
      const Rect& a = control.rect;
      const Rect& b = kControls[j].rect;
      const bool overlap =
          a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
      if (overlap)
        EXPECT_TRUE((slot(i) >= 0 && slot(i) == slot(j)) || stacked.count({i, j}))
            << i << ", " << j;
    }
  }
}

TEST(EditorLayout, ListsEveryImageOnceWithWholeFrames) {
  std::set<std::string> stems;
  for (int i = 0; i < kImageCount; ++i) {
    EXPECT_EQ(kImages[i].id, 101 + i);
    EXPECT_EQ(kImages[i].height % kImages[i].frames, 0);
    EXPECT_TRUE(stems.insert(kImages[i].stem).second);
  }
  const std::set<int> loaded(kImageLoadOrder.begin(), kImageLoadOrder.end());
  EXPECT_EQ(loaded.size(), 34u);
  EXPECT_EQ(loaded.count(kImageBackground), 0u);
}

}  // namespace
