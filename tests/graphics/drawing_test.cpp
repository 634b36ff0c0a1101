#include <memory>

#include "editor_test_support.h"
#include "graphics/graphics_caches.h"
#include "raster/blend.h"

namespace {

// A control that counts its drawings.
struct ProbeControl : IControl {
  ProbeControl(IPluginCore* plug, IRectangle rect) : IControl(plug, &rect) {}
  bool Draw(IGraphics*) override { return ++draws > 0; }
  int draws = 0;
};

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gui.PrepareBackBuffer();
    Raster_FillArea(gui.GetBackBuffer(), 0, 0, 200, 100, 0, 1.0f, BlendCopy);
  }
  ProbeControl* Probe(IRectangle rect) {
    auto* probe = new ProbeControl(&plug, rect);
    gui.AddControl(probe);
    return probe;
  }
  void Repaint(IRectangle rect) { gui.Draw(&rect); }
  IRectangle Dirty() {
    IRectangle dirty{0, 0, 0, 0};
    return gui.CollectDirtyRect(&dirty) ? dirty : IRectangle{0, 0, 0, 0};
  }

  RecordingPlugin plug;
  TestGraphics gui{&plug};
};

TEST_F(DrawingTest, AStrictRepaintDrawsAndCleansOnlyTheControlsItMeets) {
  EXPECT_TRUE(gui.Draw(&gui.DrawnRect()));  // without controls the paint still completes
  EXPECT_EQ(gui.blits.size(), 1u);
  ProbeControl* inside = Probe({12, 12, 18, 18});
  ProbeControl* hidden = Probe({14, 14, 16, 16});
  ProbeControl* metByTheAreasEnd = Probe({20, 20, 30, 30});
  ProbeControl* endingAtTheAreasStart = Probe({0, 0, 10, 10});
  ProbeControl* outside = Probe({100, 50, 120, 60});
  hidden->Hide(true);
  EXPECT_EQ(Dirty(), (IRectangle{0, 0, 120, 60}));
  Repaint({10, 10, 20, 20});
  EXPECT_EQ(inside->draws + metByTheAreasEnd->draws, 2);
  EXPECT_EQ(hidden->draws + endingAtTheAreasStart->draws + outside->draws, 0);
  EXPECT_FALSE(inside->IsDirty());
  EXPECT_TRUE(metByTheAreasEnd->IsDirty());  // drawn, yet nothing of it was shown
  EXPECT_TRUE(endingAtTheAreasStart->IsDirty() && outside->IsDirty());
  EXPECT_TRUE(hidden->IsDirty());  // it changed, so it is drawn on one more repaint
  Repaint({10, 10, 20, 20});
  EXPECT_FALSE(hidden->IsDirty());
  EXPECT_EQ(Dirty(), (IRectangle{0, 0, 120, 60}));
  Repaint(Dirty());
  EXPECT_EQ(outside->draws, 1);
  EXPECT_EQ(Dirty(), (IRectangle{0, 0, 0, 0}));
}

// A change a repaint does not show whole (a dragged knob is dirty for one repaint only) stays
// dirty, so that the tick's repaint brings it to the screen. The knob lies at {50, 20, 70, 40}.
TEST_F(DrawingTest, AControlIsCleanOnlyOnceTheScreenShowsAllOfIt) {
  // Strict drawing: the area's right edge touching the knob, its bottom edge, half of the knob;
  // drawing by dirty controls: the knob outside the area blitted.
  const IRectangle areas[] = {{0, 0, 50, 100}, {0, 0, 200, 20}, {0, 0, 60, 100}, {0, 0, 50, 100}};
  const IRectangle all{0, 0, 200, 100};
  StripMaker strips;
  for (int i = 0; i < 4; ++i) {
    TestGraphics editor(&plug);
    editor.PrepareBackBuffer();
    editor.screen.reset(SolidBitmap(200, 100, 0));
    editor.AddControl(new IPanelControl(&plug, &all, kColorBlack));
    auto* knob = new IKnobMultiControl(&plug, 50, 20, -1, strips(20, 20, 3), 4.0);
    editor.AddControl(knob);
    editor.Draw(&all);
    editor.SetStrictDrawing(i < 3);
    knob->SetValue(1.0);
    knob->SetDirty(false);
    editor.Draw(&areas[i]);
    IRectangle dirty{0, 0, 0, 0};
    editor.CollectDirtyRect(&dirty);
    editor.Draw(&dirty);
    EXPECT_EQ(Pixel(editor.screen.get(), 69, 39), 0xFF000003u) << i;
  }
}

TEST_F(DrawingTest, BitmapsAndFillsAreClippedExactlyToTheRepaintedArea) {
  std::unique_ptr<Raster_MemBitmap> picture(SolidBitmap(20, 20, 0xFFABCDEFu));
  gui.AddControl(new IBitmapControl(&plug, 10, 10, {picture.get(), 20, 20, 1, false}));
  const IRectangle panel{40, 10, 60, 30};
  gui.AddControl(new IPanelControl(&plug, &panel, IColor{128, 255, 0, 0}));
  Repaint({15, 12, 50, 40});
  const uint32_t fill = Pixel(gui.GetBackBuffer(), 45, 15);
  EXPECT_NE(fill, 0u);
  for (int y = 8; y < 34; ++y) {
    for (int x = 8; x < 64; ++x) {
      const bool shown = x >= 15 && x < 50 && y >= 12;
      const bool inPicture = x < 30 && y < 30;
      const bool inPanel = x >= 40 && y >= 10 && y < 30;
      const uint32_t expected = !shown ? 0u : inPicture ? 0xFFABCDEFu : inPanel ? fill : 0u;
      ASSERT_EQ(Pixel(gui.GetBackBuffer(), x, y), expected) << x << "," << y;
    }
  }
  EXPECT_EQ(gui.blits.back(), (IRectangle{15, 12, 50, 40}));
}

TEST_F(DrawingTest, TextIsDrawnInsideTheRepaintedAreaAndMeasured) {
  IRectangle box{0, 0, 100, 20};
  ITextStyle style = ITextStyle::Make("Face", 10, kColorWhite, kTextNormal, kAlignLeft);
  gui.AddControl(new ITextControl(&plug, &box, style, "HHHHHHHH"));
  Repaint({0, 0, 12, 20});
  int ink[2] = {0, 0};  // outside, inside
  for (int i = 0; i < 60 * 20; ++i)
    ink[i % 60 < 12] += Pixel(gui.GetBackBuffer(), i % 60, i / 60) != 0;
  EXPECT_TRUE(ink[0] == 0 && ink[1] > 0);
  // 'H' advances 5 pixels and 'i' 3; the line is the font's size.
  const IRectangle measured[] = {{0, 0, 8, 10}, {46, 0, 54, 10}, {92, 0, 100, 10}};
  for (int alignment : {kAlignLeft, kAlignCenter, kAlignRight}) {
    style.alignment = alignment;
    box = {0, 0, 100, 20};
    ASSERT_TRUE(gui.MeasureText(&style, "Hi", &box));
    EXPECT_EQ(box, measured[alignment]);
  }
  // No font can be made: nothing is drawn, unless there is nothing to draw.
  ITextStyle noFont = ITextStyle::Make("Face", 0, kColorWhite, kTextNormal, kAlignLeft);
  EXPECT_FALSE(gui.DrawText(&noFont, "x", &box));
  EXPECT_TRUE(gui.DrawText(&noFont, "", &box));
}

TEST_F(DrawingTest, FontsAndImagesAreMadeOnceAndTheBackgroundGoesFirst) {
  ITextStyle a = ITextStyle::Make("Shared", 13, kColorBlack, kTextBold, kAlignLeft);
  ITextStyle b = a;
  b.colour = kColorWhite;  // colour is not part of the key
  RecordingPlugin otherPlug;
  TestGraphics other(&otherPlug);
  Raster_CachedFont* font = gui.GetCachedFont(&a);
  EXPECT_EQ(other.GetCachedFont(&b), font);
  b.style = kTextItalic;
  EXPECT_NE(other.GetCachedFont(&b), font);
  EXPECT_EQ(gui.fontsMade + other.fontsMade, 2);
  // A missing image is a transparent placeholder of the given size; nothing null is cached.
  const IBitmapStrip missing = gui.LoadImageStrip(777, "missing.png", 3, 40, 120);
  ASSERT_NE(missing.bitmap, nullptr);
  EXPECT_EQ(missing.width * 1000 + missing.height, 40120);
  EXPECT_EQ(Pixel(missing.bitmap, 39, 119), 0u);
  EXPECT_EQ(other.LoadImageStrip(777, "missing.png", 3, 40, 120).bitmap, missing.bitmap);
  EXPECT_EQ(BitmapCache::Add(nullptr, 778), nullptr);
  EXPECT_EQ(BitmapCache::Find(778), nullptr);
  Probe({0, 0, 10, 10});
  gui.AttachBackground();
  other.AttachBackground();
  EXPECT_TRUE(other.loadedImages.empty());
  EXPECT_EQ(gui.loadedImages, (std::vector<int>{777, IGraphics::kBackgroundImageId}));
  ASSERT_EQ(gui.NControls(), 2);
  EXPECT_EQ(gui.GetControl(0)->GetRect(), (IRectangle{0, 0, 200, 100}));
  EXPECT_EQ(gui.GetControl(0)->GetBlend().method, kBlendPlainCopy);
  gui.ChangeSize(400, 200);
  EXPECT_EQ(gui.NControls(), 0);
  EXPECT_EQ(gui.GetBackBuffer()->Width(), 400);
  EXPECT_EQ(plug.resizes, (std::vector<std::pair<int, int>>{{400, 200}}));
}

TEST_F(DrawingTest, WithoutStrictDrawingADirtyControlRedrawsWhatOverlapsIt) {
  gui.SetStrictDrawing(false);
  ProbeControl* probes[] = {Probe({0, 0, 200, 100}), Probe({0, 0, 30, 30}), Probe({20, 20, 40, 40}),
                            Probe({100, 0, 120, 20})};
  Repaint({0, 0, 200, 100});  // the background is dirty: everything is drawn
  for (ProbeControl* p : probes)
    p->SetClean();
  probes[2]->SetDirty(false);
  Repaint({0, 0, 200, 100});
  EXPECT_FALSE(probes[2]->IsDirty());
  std::vector<int> draws;
  for (ProbeControl* p : probes)
    draws.push_back(p->draws);
  EXPECT_EQ(draws, (std::vector<int>{2, 2, 2, 1}));
}

}  // namespace
