// The built editor against the layout table, at the scale this test program's instrument was
// compiled for: classes, places, pictures, parameters and the state after construction.
#include <map>
#include <typeinfo>

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

const std::type_info& ClassOf(ControlKind kind) {
  using K = ControlKind;
  static const std::map<ControlKind, const std::type_info*> classes = {
      {K::kPitchWheel, &typeid(IKnobMultiControl_pitchbendwheel)},
      {K::kKnob, &typeid(IKnobMultiControl)},
      {K::kContact, &typeid(IContactControl)},
      {K::kSwitch, &typeid(ISwitchControl)},
      {K::kText, &typeid(ITextControl)},
      {K::kFxSlot1Selector, &typeid(IPopupMenu_FXSlot1Selector)},
      {K::kFxSlot2Selector, &typeid(IPopupMenu_FXSlot2Selector)},
      {K::kPresetSelector, &typeid(IPopupMenu_PresetSelector)},
      {K::kFileOpen, &typeid(IFileSelectorControl_PresetFile)},
      {K::kFileSave, &typeid(IFileSelectorControl_PresetFile)},
      {K::kPanel, &typeid(IPanelControl)}};
  const auto found = classes.find(kind);
  return found == classes.end() ? typeid(IBitmapControl) : *found->second;
}

const IBitmapStrip* StripOf(IControl* control) {
  if (auto* bitmap = dynamic_cast<IBitmapControl*>(control)) return &bitmap->GetStrip();
  if (auto* knob = dynamic_cast<IKnobMultiControl*>(control)) return &knob->GetStrip();
  if (auto* wheel = dynamic_cast<IKnobMultiControl_pitchbendwheel*>(control))
    return &wheel->GetStrip();
  return nullptr;
}

TEST_F(EditorTest, BuildsEveryControlOfTheTableWithItsClassPlacePictureAndValue) {
  ASSERT_EQ(gui->NControls(), kControlCount);
  EXPECT_EQ(gui->Width(), 1000 * s);
  EXPECT_EQ(gui->Height(), 530 * s);
  EXPECT_EQ(gui->FPS(), 25);
  for (int i = 0; i < kControlCount; ++i) {
    const EditorLayout::Control& layout = kControls[i];
    IControl* control = Control(i);
    const Rect r = Scaled(layout.rect, s);
    EXPECT_EQ(typeid(*control), ClassOf(layout.kind)) << "control " << i;
    EXPECT_EQ(control->ParamIdx(), layout.param) << "control " << i;
    EXPECT_TRUE(SameRect(control->GetRect(), IRectangle{r.left, r.top, r.right, r.bottom})) << i;
    EXPECT_EQ(control->GetBlend().method, i == 0 ? kBlendPlainCopy : kBlendSourceAlpha);
    // Only the effect panels start hidden; every control starts at its parameter.
    EXPECT_EQ(control->IsHidden(), layout.panel >= 0) << "control " << i;
    if (control->IsBound()) {
      EXPECT_EQ(control->GetValue(), synth->GetParam(layout.param)->GetNormalized()) << i;
    }
    if (const IBitmapStrip* strip = StripOf(control)) {
      EXPECT_EQ(strip->bitmap, BitmapCache::Find(layout.image)) << "control " << i;
      EXPECT_EQ(strip->FrameCount(), ImageById(layout.image).frames) << "control " << i;
    }
  }
  int panelControls = 0;
  for (int panel = 0; panel < EditorLink::kPanelCount; ++panel)
    panelControls += view->PanelControlCount(panel);
  EXPECT_EQ(panelControls, 8 + 8 + 29);
  // Every picture is the generated one, at this scale's size.
  EXPECT_EQ(gui->imagesFound, static_cast<int>(gui->loadedImages.size()));
  for (const Image& image : kImages) {
    EXPECT_EQ(BitmapCache::Find(image.id)->Width(), image.width * s) << image.stem;
    EXPECT_EQ(BitmapCache::Find(image.id)->Height(), image.height * s) << image.stem;
  }
  // A second instance finds every image in the cache.
  Tovalune second;
  EXPECT_EQ(LastNativeEditor()->loadedImages.size(), 0u);
  EXPECT_EQ(LastNativeEditor()->NControls(), kControlCount);
}

}  // namespace
