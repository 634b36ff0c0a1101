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

TEST(EditorLayout, KindsCartridgesAndTheKeysByNoteNumber) {
  std::map<ControlKind, int> kinds;
  for (const Control& control : kControls)
    ++kinds[control.kind];
  EXPECT_EQ(kinds[ControlKind::kKnob], 92);  // the mod wheel among them
  EXPECT_EQ(kinds[ControlKind::kSwitch], 21);
  EXPECT_EQ(kinds[ControlKind::kContact], 25 + 2);  // and the two step buttons
  EXPECT_EQ(kControls[11].kind, ControlKind::kPitchWheel);
  EXPECT_EQ(kControls[3].rect, (Rect{50, 64, 500, 154}));
  EXPECT_EQ(kControls[9].rect, (Rect{501, 64, 951, 154}));
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
    if (control.param >= 0) {
      EXPECT_TRUE(bound.insert(control.param).second) << control.param;
    }
  }
  EXPECT_EQ(bound.size(), 143u);
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

TEST(EditorLayout, KeepsControlsInsideAndOverlappingOnlyWhereStacked) {
  // Label and selector, picture and file selector, the preset name's shade, text and menu, and
  // the two wheels with the first key; effect panels of one slot stack in the same bay.
  const std::set<std::pair<int, int>> stacked = {{150, 152}, {151, 153}, {156, 158},
                                                 {157, 159}, {160, 161}, {160, 162},
                                                 {161, 162}, {11, 12},   {12, 13}};
  auto slot = [](int i) {
    const int p = kControls[i].panel;
    return p < 0 ? -1 : int{p >= EffectPanels::kSlot2FirstPanel};
  };
  for (int i = 1; i < kControlCount; ++i) {
    const Rect& a = kControls[i].rect;
    EXPECT_TRUE(kEditorRect.Contains(a)) << "control " << i;
    if (kControls[i].panel >= 0) {
      EXPECT_TRUE(kControls[3 + kControls[i].panel].rect.Contains(a));
    }
    EXPECT_EQ(Scaled(a, kDoubleScale), (Rect{2 * a.left, 2 * a.top, 2 * a.right, 2 * a.bottom}));
    for (int j = i + 1; i >= 3 && j < kControlCount; ++j) {
      const Rect& b = kControls[j].rect;
      const bool overlap =
          a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
      if (overlap) {
        EXPECT_TRUE((slot(i) >= 0 && slot(i) == slot(j)) || stacked.count({i, j}))
            << i << ", " << j;
      }
    }
  }
}

}  // namespace
