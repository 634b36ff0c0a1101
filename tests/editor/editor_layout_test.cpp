// The editor layout table: the controls the editor builds, where they sit and what they bind.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/engine_params.h"
#include "engine/param_table.h"
#include "instrument/editor/editor_layout.h"

namespace {

using namespace EditorLayout;

std::string ParamName(int index) {
  return EngineParamTable::Rows()[index].name;
}

TEST(EditorLayout, HoldsTheBackgroundAnd162ControlsInDrawingOrder) {
  ASSERT_EQ(kControls.size(), 163u);
  EXPECT_EQ(kControls[0].kind, ControlKind::kBackground);
  EXPECT_EQ(kControls[0].image, kImageBackground);
  EXPECT_EQ(kControls[0].rect, (Rect{0, 0, 1000, 1000}));
  EXPECT_EQ(kControls[1].rect, (Rect{0, 0, 1000, 30}));
  EXPECT_EQ(kControls[2].rect, (Rect{20, 30, 980, 500}));
  EXPECT_EQ(kControls[11].kind, ControlKind::kPitchWheel);
  EXPECT_EQ(kControls[11].rect, (Rect{99, 405, 169, 485}));
  EXPECT_EQ(kControls[12].param, EngineParam::ModWheel);
  EXPECT_EQ(kControls[89].rect, (Rect{379, 262, 399, 282}));
  EXPECT_EQ(kControls[106].param, EngineParam::ArpeggiatorMode);
  EXPECT_EQ(kControls[111].param, EngineParam::VoiceModeMonoUniPoly);
  EXPECT_EQ(kControls[150].member, Member::kFxSlot1Label);
  EXPECT_EQ(kControls[151].rect, kFxSlot2LabelRect);
  EXPECT_EQ(kControls[158].member, Member::kLoadSelector);
  EXPECT_EQ(kControls[158].rect, kControls[156].rect);
  EXPECT_EQ(kControls[159].rect, kControls[157].rect);
  EXPECT_EQ(kControls[160].colour, 0x8C000000u);
  EXPECT_STREQ(kControls[161].text, "< Presets Library >");
  EXPECT_EQ(kControls[162].kind, ControlKind::kPresetSelector);
}

TEST(EditorLayout, PlacesTheKeysByNoteNumber) {
  const std::set<int> sharps = {37, 39, 42, 44, 46, 49, 51, 54, 56, 58};
  for (int note = 36; note <= 60; ++note) {
    const Control& key = kControls[13 + note - 36];
    EXPECT_EQ(key.kind, ControlKind::kContact);
    EXPECT_EQ(key.rect, (Rect{204 + 30 * (note - 36), 402, 234 + 30 * (note - 36), 482}));
    EXPECT_EQ(key.image, sharps.count(note) ? kImageKeySharp : kImageKeyNatural) << note;
    EXPECT_EQ(ParamName(key.param), "Key0" + std::to_string(note) + "A");
  }
  EXPECT_EQ(KeyRect(60), (Rect{924, 402, 954, 482}));
}

TEST(EditorLayout, StacksTheCartridgesOfEachSlot) {
  const int images[8] = {125, 128, 132, 131, 129, 126, 127, 130};
  for (int i = 0; i < 8; ++i) {
    const Control& cartridge = kControls[3 + i];
    EXPECT_EQ(cartridge.image, images[i]);
    EXPECT_EQ(cartridge.panel, i);
    EXPECT_EQ(cartridge.rect, i < 6 ? (Rect{50, 64, 500, 154}) : (Rect{501, 64, 951, 154}));
  }
  // Every panel control lies on its cartridge.
  for (const Control& control : kControls) {
    if (control.panel >= 0) {
      EXPECT_TRUE(kControls[3 + control.panel].rect.Contains(control.rect));
    }
  }
}

TEST(EditorLayout, BindsTheMatrixGridToEngineParameters) {
  int cells = 0;
  for (int row = 0; row < kMatrixRowCount; ++row) {
    for (int col = 0; col < kMatrixColumnCount; ++col) {
      const bool lfoRate = (row == kRowL1 || row == kRowL2) && (col == kColR1 || col == kColR2);
      if (lfoRate) {
        EXPECT_EQ(MatrixParam(row, col), -1);
        continue;
      }
      ++cells;
      EXPECT_EQ(ParamName(MatrixParam(row, col)),
                std::string("ModMatrix") + kMatrixRows[row].code + kMatrixColumns[col].code);
    }
  }
  EXPECT_EQ(cells, 38);
  EXPECT_EQ(kControls[112].param, EngineParam::ModMatrixE1FC);
  EXPECT_EQ(kControls[112].rect, (Rect{564, 243, 584, 263}));
  EXPECT_EQ(kControls[142].param, EngineParam::ModMatrixVLR2);
  EXPECT_EQ(kControls[142].rect, (Rect{620, 299, 640, 319}));
  EXPECT_EQ(kControls[143].rect, (Rect{566, 330, 582, 346}));
  EXPECT_EQ(kControls[149].param, EngineParam::ModMatrixMWR2);
}

TEST(EditorLayout, BindsEachParameterOnce) {
  std::set<int> bound;
  for (const Control& control : kControls) {
    if (control.param < 0) continue;
    EXPECT_TRUE(bound.insert(control.param).second) << ParamName(control.param);
  }
  EXPECT_EQ(bound.size(), 25u + 2u + 8u + 29u + 31u + 6u + 38u + 4u);
  EXPECT_EQ(bound.count(EngineParam::Env1RetrigOffOn), 0u);
  EXPECT_EQ(bound.count(EngineParam::Env2RetrigOffOn), 0u);
}

TEST(EditorLayout, KeepsEveryControlInsideTheEditorAtBothScales) {
  for (size_t i = 1; i < kControls.size(); ++i) {
    const Control& control = kControls[i];
    EXPECT_TRUE(kEditorRect.Contains(control.rect)) << "control " << i;
    if (control.image != 0 && control.kind != ControlKind::kFileOpen &&
        control.kind != ControlKind::kFileSave) {
      EXPECT_EQ(control.rect, PlaceImage(control.rect.left, control.rect.top, control.image));
    }
  }
  EXPECT_EQ(Scaled(kEditorRect, kDoubleScale), (Rect{0, 0, 2000, 1060}));
  EXPECT_EQ(Scaled(kControls[11].rect.left, 2), 198);
  EXPECT_EQ(Scaled(kControls[11].rect.top, 2), 810);
  EXPECT_EQ(Scaled(KeyRect(36), 2), (Rect{408, 804, 468, 964}));
}

TEST(EditorLayout, PutsEveryMainPanelControlOnAPlate) {
  const Rect panel = kControls[2].rect;
  for (const EditorLayout::Plate& plate : kPlates)
    EXPECT_TRUE(panel.Contains(plate.rect));
  for (size_t i = 11; i < kControls.size(); ++i) {
    const Control& control = kControls[i];
    const bool operable =
        control.kind == ControlKind::kKnob || control.kind == ControlKind::kSwitch ||
        control.kind == ControlKind::kContact || control.kind == ControlKind::kPitchWheel;
    if (!operable || control.panel >= 0 || !panel.Contains(control.rect)) continue;
    int plates = 0;
    for (const EditorLayout::Plate& plate : kPlates)
      plates += plate.rect.Contains(control.rect);
    EXPECT_EQ(plates, 1) << "control " << i;
  }
}

TEST(EditorLayout, ListsEveryImageOnceWithWholeFrames) {
  std::set<std::string> stems;
  for (int i = 0; i < kImageCount; ++i) {
    EXPECT_EQ(kImages[i].id, 101 + i);
    EXPECT_EQ(kImages[i].height % kImages[i].frames, 0);
    EXPECT_TRUE(stems.insert(kImages[i].stem).second);
  }
  std::set<int> loaded(kImageLoadOrder.begin(), kImageLoadOrder.end());
  EXPECT_EQ(loaded.size(), 34u);
  EXPECT_EQ(loaded.count(kImageBackground), 0u);
  EXPECT_EQ(FrameForValue(0.5, 20), 11);
  EXPECT_EQ(FrameForValue(0.5, 99), 50);
  EXPECT_EQ(FrameForValue(1.0, 20), 20);
}

}  // namespace
