#include <cmath>
#include <limits>
#include <memory>

#include "editor_test_support.h"
#include "graphics/graphics_caches.h"
#include "raster/blend.h"

namespace {

// A control that counts its drawings.
class ProbeControl : public IControl {
 public:
  ProbeControl(IPluginCore* plug, IRectangle rect) : IControl(plug, &rect) {}
  bool Draw(IGraphics*) override {
    ++draws;
    return true;
  }
  int draws = 0;
};

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gui.PrepareBackBuffer();
    Raster_FillArea(gui.GetBackBuffer(), 0, 0, 200, 100, 0, 1.0f, 0);
  }
  ProbeControl* Probe(IRectangle rect) {
    auto* probe = new ProbeControl(&plug, rect);
    gui.AddControl(probe);
    return probe;
  }
  void Repaint(IRectangle rect) { gui.Draw(&rect); }

  RecordingPlugin plug;
  TestGraphics gui{&plug};
};

TEST_F(DrawingTest, FramesFollowTheClampedValue) {
  struct Row {
    int frames;
    double value;
    uint32_t frame;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Row rows[] = {{1, 0.7, 1},     {99, 1.0, 99}, {61, 0.5, 31}, {99, 0.0, 1},
                      {4, 1 / 3.0, 2}, {5, nan, 1},   {5, 1e300, 5}, {5, -3.0, 1}};
  for (const Row& row : rows) {
    std::unique_ptr<Raster_MemBitmap> strip(NumberedStrip(4, 2, row.frames));
    auto* knob = new IKnobMultiControl(&plug, 10, 10, -1, StripOf(strip.get(), row.frames), 4.0);
    auto* bitmap = new IBitmapControl(&plug, 20, 10, -1, StripOf(strip.get(), row.frames));
    gui.AddControl(knob);
    gui.AddControl(bitmap);
    EXPECT_EQ(knob->GetRect(), (IRectangle{10, 10, 14, 12}));
    knob->SetValue(row.value);
    bitmap->SetValue(row.value);
    Repaint({0, 0, 200, 100});
    EXPECT_EQ(Pixel(gui.GetBackBuffer(), 11, 11), 0xFF000000u | row.frame) << row.frames;
    EXPECT_EQ(Pixel(gui.GetBackBuffer(), 21, 11), 0xFF000000u | row.frame) << row.frames;
    gui.ChangeSize(200, 100);  // drops the controls before the strip goes
  }
}

TEST_F(DrawingTest, BitmapsAreClippedExactlyToTheRepaintedArea) {
  std::unique_ptr<Raster_MemBitmap> picture(SolidBitmap(20, 20, 0xFFABCDEFu));
  gui.AddControl(new IBitmapControl(&plug, 10, 10, StripOf(picture.get(), 1)));
  Repaint({15, 12, 25, 40});
  for (int y = 8; y < 32; ++y) {
    for (int x = 8; x < 32; ++x) {
      const bool inside = x >= 15 && x < 25 && y >= 12 && y < 30;
      EXPECT_EQ(Pixel(gui.GetBackBuffer(), x, y), inside ? 0xFFABCDEFu : 0u) << x << "," << y;
    }
  }
  EXPECT_EQ(gui.blits.back(), (IRectangle{15, 12, 25, 40}));
  gui.ChangeSize(200, 100);
}

TEST_F(DrawingTest, TheRepaintRegionMeetsControlsAlongItsOwnRightAndBottomEdges) {
  ProbeControl* touchedByRegionEnd = Probe({50, 50, 60, 60});
  ProbeControl* touchingRegionStart = Probe({30, 30, 40, 40});
  Repaint({40, 40, 50, 50});
  EXPECT_EQ(touchedByRegionEnd->draws, 1);
  EXPECT_EQ(touchingRegionStart->draws, 0);
  EXPECT_FALSE(touchedByRegionEnd->IsDirty());
  EXPECT_TRUE(touchingRegionStart->IsDirty());
  EXPECT_TRUE((IRectangle{0, 0, 10, 10}).Contains(0, 0));
  EXPECT_FALSE((IRectangle{0, 0, 0, 0}).Contains(0, 0));
}

TEST_F(DrawingTest, APartialRepaintKeepsDirtyControlsOutsideItDirty) {
  ProbeControl* inside = Probe({0, 0, 10, 10});
  ProbeControl* outside = Probe({100, 50, 120, 60});
  ProbeControl* hiddenInside = Probe({2, 2, 8, 8});
  hiddenInside->Hide(true);
  IRectangle dirty{0, 0, 0, 0};
  ASSERT_TRUE(gui.CollectDirtyRect(&dirty));
  EXPECT_EQ(dirty, (IRectangle{0, 0, 120, 60}));

  Repaint({0, 0, 20, 20});
  EXPECT_EQ(inside->draws, 1);
  EXPECT_EQ(hiddenInside->draws, 0);
  EXPECT_EQ(outside->draws, 0);
  // The hidden control was cleaned once (it changed, so it stays dirty one more tick).
  dirty = {0, 0, 0, 0};
  ASSERT_TRUE(gui.CollectDirtyRect(&dirty));
  EXPECT_EQ(dirty, (IRectangle{2, 2, 120, 60}));
  Repaint({0, 0, 20, 20});
  dirty = {0, 0, 0, 0};
  ASSERT_TRUE(gui.CollectDirtyRect(&dirty));
  EXPECT_EQ(dirty, (IRectangle{100, 50, 120, 60}));
  Repaint(dirty);
  EXPECT_EQ(outside->draws, 1);
  dirty = {0, 0, 0, 0};
  EXPECT_FALSE(gui.CollectDirtyRect(&dirty));
}

TEST_F(DrawingTest, APaintWithoutControlsIsStillCompleted) {
  EXPECT_TRUE(gui.Draw(&gui.DrawnRect()));
  ASSERT_EQ(gui.blits.size(), 1u);
}

TEST_F(DrawingTest, FillsStayInsideTheRepaintedArea) {
  const IRectangle panelRect{0, 0, 100, 20};
  gui.AddControl(new IPanelControl(&plug, &panelRect, IColor{128, 255, 0, 0}));
  Repaint({0, 0, 10, 20});
  EXPECT_NE(Pixel(gui.GetBackBuffer(), 5, 5), 0u);
  // Outside the repainted area nothing is drawn over, so nothing darkens there.
  for (int i = 0; i < 3; ++i)
    Repaint({0, 0, 10, 20});
  EXPECT_EQ(Pixel(gui.GetBackBuffer(), 10, 5), 0u);
  EXPECT_EQ(Pixel(gui.GetBackBuffer(), 50, 5), 0u);
}

TEST_F(DrawingTest, TextIsDrawnInsideTheRepaintedAreaAndMeasured) {
  ITextStyle style = ITextStyle::Make("Face", 10, kColorWhite, kTextNormal, kAlignLeft);
  const IRectangle box{0, 0, 100, 20};
  auto* text = new ITextControl(&plug, &box, style, "HHHHHHHH");
  gui.AddControl(text);
  Repaint({0, 0, 12, 20});
  int inkInside = 0;
  int inkOutside = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x)
      (x < 12 ? inkInside : inkOutside) += Pixel(gui.GetBackBuffer(), x, y) != 0;
  }
  EXPECT_GT(inkInside, 0);
  EXPECT_EQ(inkOutside, 0);

  // 'H' advances 5 pixels and 'i' 3 on the test glyphs; the line is the font's size.
  IRectangle centred{0, 4, 100, 20};
  ITextStyle centredStyle = ITextStyle::Make("Face", 10, kColorWhite, kTextNormal, kAlignCenter);
  ASSERT_TRUE(gui.MeasureText(&centredStyle, "Hi", &centred));
  EXPECT_EQ(centred, (IRectangle{46, 4, 54, 14}));
  IRectangle right{0, 0, 100, 20};
  ITextStyle rightStyle = ITextStyle::Make("Face", 10, kColorWhite, kTextNormal, kAlignRight);
  ASSERT_TRUE(gui.DrawText(&rightStyle, "Hi", &right, true));
  EXPECT_EQ(right, (IRectangle{92, 0, 100, 10}));
  EXPECT_TRUE(gui.DrawText(&rightStyle, "", &right));
  ITextStyle noFont = ITextStyle::Make("Face", 0, kColorWhite, kTextNormal, kAlignLeft);
  EXPECT_FALSE(gui.DrawText(&noFont, "x", &right));  // no font can be made: nothing drawn
}

TEST_F(DrawingTest, FontsAndImagesAreMadeOncePerProcess) {
  ITextStyle a = ITextStyle::Make("Shared", 13, kColorBlack, kTextBold, kAlignLeft);
  ITextStyle b = a;
  b.colour = kColorWhite;  // colour is not part of the key
  RecordingPlugin otherPlug;
  TestGraphics other(&otherPlug);
  Raster_CachedFont* font = gui.GetCachedFont(&a);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(other.GetCachedFont(&b), font);
  EXPECT_EQ(b.font, font);
  b.style = kTextItalic;
  EXPECT_NE(other.GetCachedFont(&b), font);
  EXPECT_EQ(gui.fontsMade + other.fontsMade, 2);

  Raster_IBitmap* picture = gui.LoadCachedImage(250, "p.png", 1, 1);
  EXPECT_EQ(other.LoadCachedImage(250, "p.png", 1, 1), picture);
  EXPECT_EQ(other.loadedImages.size(), 0u);
  EXPECT_EQ(picture->Width(), 60);
}

TEST_F(DrawingTest, AMissingImageBecomesAnEmptyPlaceholderOfTheTableSize) {
  const IBitmapStrip strip = gui.LoadImageStrip(777, "missing.png", 3, 40, 120);
  ASSERT_NE(strip.bitmap, nullptr);
  EXPECT_EQ(strip.width, 40);
  EXPECT_EQ(strip.height, 120);
  EXPECT_EQ(Pixel(strip.bitmap, 39, 119), 0u);
  EXPECT_EQ(BitmapCache::Find(777), strip.bitmap);
  EXPECT_EQ(gui.LoadImageStrip(777, "missing.png", 3, 40, 120).bitmap, strip.bitmap);
  EXPECT_EQ(gui.loadedImages, std::vector<int>{777});
  EXPECT_EQ(BitmapCache::Add(nullptr, 778), nullptr);  // nothing null is ever cached
  EXPECT_EQ(BitmapCache::Find(778), nullptr);
}

TEST_F(DrawingTest, TheBackgroundGoesFirstAndResizingStartsOver) {
  Probe({0, 0, 10, 10});
  gui.AttachBackground();
  ASSERT_EQ(gui.NControls(), 2);
  EXPECT_EQ(gui.GetControl(0)->GetRect(), (IRectangle{0, 0, 200, 100}));
  EXPECT_EQ(gui.GetControl(0)->GetBlend().method, kBlendPlainCopy);
  gui.ChangeSize(400, 200);
  EXPECT_EQ(gui.NControls(), 0);
  EXPECT_EQ(gui.GetBackBuffer()->Width(), 400);
  EXPECT_EQ(plug.resizes, (std::vector<std::pair<int, int>>{{400, 200}}));
}

TEST_F(DrawingTest, WithoutStrictDrawingDirtyControlsRedrawWhatOverlapsThem) {
  gui.SetStrictDrawing(false);
  ProbeControl* background = Probe({0, 0, 200, 100});
  ProbeControl* under = Probe({0, 0, 30, 30});
  ProbeControl* over = Probe({20, 20, 40, 40});
  ProbeControl* apart = Probe({100, 0, 120, 20});
  Repaint({0, 0, 200, 100});  // the background is dirty: everything is drawn
  EXPECT_EQ(apart->draws, 1);
  background->SetClean();
  for (ProbeControl* p : {under, over, apart})
    p->SetClean();
  over->SetDirty(false);
  Repaint({20, 20, 40, 40});
  EXPECT_EQ(background->draws, 2);
  EXPECT_EQ(under->draws, 2);
  EXPECT_EQ(over->draws, 2);
  EXPECT_EQ(apart->draws, 1);
  EXPECT_FALSE(over->IsDirty());
}

}  // namespace
