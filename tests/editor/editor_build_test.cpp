// The built editor against the layout table, at the scale this test program's instrument was
// compiled for: classes, places, pictures, parameters, styles and the state after construction.
#include <map>
#include <set>
#include <typeinfo>
#include <utility>

#include "editor_fixture.h"
#include "graphics/graphics_caches.h"
#include "instrument/editor/pitch_wheel.h"
#include "instrument/editor/preset_file_selector.h"
#include "instrument/editor/preset_selector.h"
#include "instrument/editor/slot_selectors.h"
#include "raster/bitmap.h"

namespace {

using namespace EditorLayout;

const int s = InstrumentEditor::Scale();

IRectangle ScaledRect(const Rect& r) {
  const Rect scaled = Scaled(r, s);
  return IRectangle{scaled.left, scaled.top, scaled.right, scaled.bottom};
}

bool SameRect(const IRectangle& a, const IRectangle& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Overlap(const IRectangle& a, const IRectangle& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

const std::type_info& ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kBackground:
    case ControlKind::kBitmap:
      return typeid(IBitmapControl);
    case ControlKind::kPitchWheel:
      return typeid(IKnobMultiControl_pitchbendwheel);
    case ControlKind::kKnob:
      return typeid(IKnobMultiControl);
    case ControlKind::kContact:
      return typeid(IContactControl);
    case ControlKind::kSwitch:
      return typeid(ISwitchControl);
    case ControlKind::kText:
      return typeid(ITextControl);
    case ControlKind::kFxSlot1Selector:
      return typeid(IPopupMenu_FXSlot1Selector);
    case ControlKind::kFxSlot2Selector:
      return typeid(IPopupMenu_FXSlot2Selector);
    case ControlKind::kPresetSelector:
      return typeid(IPopupMenu_PresetSelector);
    case ControlKind::kFileOpen:
    case ControlKind::kFileSave:
      return typeid(IFileSelectorControl_PresetFile);
    case ControlKind::kPanel:
      return typeid(IPanelControl);
  }
  return typeid(void);
}

const IBitmapStrip* StripOf(IControl* control) {
  if (auto* bitmap = dynamic_cast<IBitmapControl*>(control)) return &bitmap->GetStrip();
  if (auto* knob = dynamic_cast<IKnobMultiControl*>(control)) return &knob->GetStrip();
  if (auto* wheel = dynamic_cast<IKnobMultiControl_pitchbendwheel*>(control))
    return &wheel->GetStrip();
  return nullptr;
}

TEST_F(EditorTest, BuildsEveryControlOfTheTableWithItsClassPlaceAndPicture) {
  ASSERT_EQ(gui->NControls(), kControlCount);
  EXPECT_EQ(gui->Width(), 1000 * s);
  EXPECT_EQ(gui->Height(), 530 * s);
  EXPECT_EQ(gui->FPS(), 25);
  for (int i = 0; i < kControlCount; ++i) {
    const EditorLayout::Control& layout = kControls[i];
    IControl* control = Control(i);
    EXPECT_EQ(typeid(*control), ClassOf(layout.kind)) << "control " << i;
    EXPECT_EQ(control->ParamIdx(), layout.param) << "control " << i;
    EXPECT_TRUE(SameRect(control->GetRect(), ScaledRect(layout.rect))) << "control " << i;
    EXPECT_EQ(control->GetBlend().method, i == 0 ? kBlendPlainCopy : kBlendSourceAlpha);
    if (const IBitmapStrip* strip = StripOf(control)) {
      EXPECT_EQ(strip->bitmap, BitmapCache::Find(layout.image)) << "control " << i;
      EXPECT_EQ(strip->FrameCount(), ImageById(layout.image).frames) << "control " << i;
    }
    if (auto* knob = dynamic_cast<IKnobControl*>(control)) {
      EXPECT_EQ(knob->GetGearing(), 4.0);
      EXPECT_EQ(knob->GetDirection(), IKnobControl::kVertical);
    }
  }
  // Every picture is the generated one (the background is opaque), at this scale's size.
  EXPECT_EQ(gui->imagesFound, static_cast<int>(gui->loadedImages.size()));
  Raster_IBitmap* background = BitmapCache::Find(kImageBackground);
  EXPECT_EQ(background->Bits()[10 * background->RowSpan() + 10] >> 24, 0xFFu);
  for (const Image& image : kImages) {
    EXPECT_EQ(BitmapCache::Find(image.id)->Width(), image.width * s) << image.stem;
    EXPECT_EQ(BitmapCache::Find(image.id)->Height(), image.height * s) << image.stem;
  }
}

TEST_F(EditorTest, BindsEachParameterOnceAndKeepsEveryControlInside) {
  std::map<int, int> bound;
  for (int i = 1; i < gui->NControls(); ++i) {
    const IRectangle& r = Control(i)->GetRect();
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= gui->Width() && r.bottom <= gui->Height())
        << "control " << i;
    if (Control(i)->IsBound()) ++bound[Control(i)->ParamIdx()];
  }
  EXPECT_EQ(bound.size(), 143u);
  for (const auto& [param, count] : bound)
    EXPECT_EQ(count, 1) << "parameter " << param;
}

TEST_F(EditorTest, OverlapsOnlyWhereTheLayoutStacksControls) {
  // Stacked panels of one slot, each slot label under its selector, the load and save pictures
  // under their file selectors, the preset name's shade, text and menu, and the two wheels with
  // the first key. Everything lies on the header or the main panel (controls 1 and 2).
  const std::set<std::pair<int, int>> intended = {
      {150, 152}, {151, 153}, {156, 158}, {157, 159}, {160, 161},
      {160, 162}, {161, 162}, {11, 12},   {12, 13},
  };
  auto slot = [](int i) {
    const int panel = kControls[i].panel;
    return panel < 0 ? -1 : (panel < EffectPanels::kSlot2FirstPanel ? 1 : 2);
  };
  for (int i = 3; i < kControlCount; ++i) {
    for (int j = i + 1; j < kControlCount; ++j) {
      if (!Overlap(Control(i)->GetRect(), Control(j)->GetRect())) continue;
      const bool samePanelSlot = slot(i) > 0 && slot(i) == slot(j);
      EXPECT_TRUE(samePanelSlot || intended.count({i, j})) << i << " overlaps " << j;
    }
  }
}

TEST_F(EditorTest, PlacesKeysCartridgesAndWheelWhereTheEditorShowsThem) {
  EXPECT_TRUE(SameRect(Control(37)->GetRect(), IRectangle{924 * s, 402 * s, 954 * s, 482 * s}));
  EXPECT_TRUE(SameRect(Control(13)->GetRect(), IRectangle{204 * s, 402 * s, 234 * s, 482 * s}));
  for (int i = 3; i <= 8; ++i)
    EXPECT_TRUE(SameRect(Control(i)->GetRect(), IRectangle{50 * s, 64 * s, 500 * s, 154 * s}));
  for (int i = 9; i <= 10; ++i)
    EXPECT_TRUE(SameRect(Control(i)->GetRect(), IRectangle{501 * s, 64 * s, 951 * s, 154 * s}));
  EXPECT_EQ(Control(11)->GetRect().left, 99 * s);
  EXPECT_EQ(Control(11)->GetRect().top, 405 * s);
  EXPECT_EQ(Control(11)->ParamIdx(), EngineParam::PitchBend);
}

TEST_F(EditorTest, GivesLabelsTheirStylesAndFileSelectorsThePresetFolder) {
  const ITextStyle& label = Control(150)->GetTextStyle();
  EXPECT_STREQ(label.face, "Comic Sans MS");
  EXPECT_EQ(label.size, 16 * s);
  EXPECT_EQ(label.colour.ToPixel(), 0xC8FFFFFFu);
  EXPECT_EQ(label.style, kTextBold);
  EXPECT_EQ(label.alignment, kAlignCenter);
  const ITextStyle& name = Control(161)->GetTextStyle();
  EXPECT_STREQ(name.face, "Arial");
  EXPECT_EQ(name.size, 20 * s);
  EXPECT_EQ(name.colour.ToPixel(), 0xFF646464u);
  EXPECT_EQ(static_cast<IPanelControl*>(Control(160))->GetColour().ToPixel(), 0x8C000000u);

  for (auto selector : {PresetFileSelector::kLoad, PresetFileSelector::kSave}) {
    const IFileSelectorControl* files = view->FileSelector(selector);
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files, Control(selector == PresetFileSelector::kLoad ? 158 : 159));
    EXPECT_EQ(files->GetAction(), selector == PresetFileSelector::kLoad ? 0 : 1);
    EXPECT_STREQ(files->GetExtensions(), "tovalunepreset");
    EXPECT_EQ(files->GetFolder(), synth->Editor().PresetFolder());
  }
}

TEST_F(EditorTest, StartsWithEveryPanelHiddenAndEveryControlAtItsParameter) {
  EXPECT_STREQ(LabelText(EditorLabel::kFxSlot1), "FX Slot 1 : No Effect");
  EXPECT_STREQ(LabelText(EditorLabel::kFxSlot2), "FX Slot 2 : No Effect");
  EXPECT_STREQ(LabelText(EditorLabel::kPresetName), "< Presets Library >");
  for (int i = 0; i < kControlCount; ++i) {
    EXPECT_EQ(Control(i)->IsHidden(), kControls[i].panel >= 0) << "control " << i;
    if (Control(i)->IsBound()) {
      EXPECT_EQ(Control(i)->GetValue(), synth->GetParam(Control(i)->ParamIdx())->GetNormalized())
          << "control " << i;
    }
  }
  int panelControls = 0;
  for (int panel = 0; panel < EditorLink::kPanelCount; ++panel)
    panelControls += view->PanelControlCount(panel);
  EXPECT_EQ(panelControls, 8 + 8 + 29);
}

TEST_F(EditorTest, SecondInstanceFindsEveryImageInTheCache) {
  Tovalune second;
  ASSERT_NE(second.EditorView(), nullptr);
  EXPECT_EQ(LastNativeEditor()->loadedImages.size(), 0u);
  EXPECT_EQ(LastNativeEditor()->NControls(), kControlCount);
}

}  // namespace
