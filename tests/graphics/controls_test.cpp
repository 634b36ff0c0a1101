#include <memory>
#include <vector>

#include "editor_test_support.h"

namespace {

using Event = RecordingPlugin::Event;

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { plug.AttachGui(gui); }

  // The values the plug-in received from the editor for one parameter.
  std::vector<double> Performed(int idx) const {
    std::vector<double> values;
    for (const Event& e : plug.events) {
      if (e.kind == Event::kPerform && e.idx == idx) values.push_back(e.normalized);
    }
    return values;
  }

  RecordingPlugin plug;
  TestGraphics* gui = new TestGraphics(&plug);  // the plug-in owns it once attached
  IMouseKeys none{};
  IMouseKeys shift{false, false, true, false, false};
  IMouseKeys ctrl{false, false, false, true, false};
  std::unique_ptr<Raster_MemBitmap> strip{NumberedStrip(40, 40, 6)};
};

TEST_F(ControlsTest, SwitchesStepThroughTheirFramesAndWrap) {
  struct Row {
    int frames;
    std::vector<double> values;  // after each press, starting from 0
  };
  const Row rows[] = {
      {2, {1.0, 0.0, 1.0}},
      {3, {0.5, 1.0, 0.0, 0.5}},
      {4, {1 / 3.0, 2 / 3.0, 1.0, 0.0}},
      {6, {0.2, 0.4, 0.6, 0.8, 1.0, 0.0}},
  };
  for (const Row& row : rows) {
    IBitmapStrip frames = StripOf(strip.get(), row.frames);
    ISwitchControl toggle(&plug, 0, 0, row.frames, frames);
    for (double expected : row.values) {
      toggle.MouseDown(0, 0, &none);
      EXPECT_NEAR(toggle.GetValue(), expected, 1e-12) << row.frames;
    }
    EXPECT_EQ(Performed(row.frames).size(), row.values.size());
    toggle.SetValue(0.0);
    toggle.MouseDoubleClick(0, 0, &none);  // a double-click is one more press
    EXPECT_NEAR(toggle.GetValue(), row.values[0], 1e-12);
  }
}

TEST_F(ControlsTest, AContactPressesThenReleasesAndALitKeyClickedGoesOut) {
  IContactControl key(&plug, 0, 0, 7, StripOf(strip.get(), 2));
  key.MouseDown(0, 0, &none);
  key.MouseUp(0, 0, &none);
  EXPECT_EQ(Performed(7), (std::vector<double>{1.0, 0.0}));
  key.SetValueFromPlug(1.0);  // lit by MIDI
  key.MouseDown(0, 0, &none);
  EXPECT_EQ(key.GetValue(), 0.0);
  EXPECT_EQ(Performed(7).back(), 0.0);
}

TEST_F(ControlsTest, KnobDragAndWheelFollowGearingAndTheFineModifier) {
  struct Row {
    int direction;
    int dx, dy;
    const IMouseKeys* keys;
    double change;
  };
  const Row rows[] = {
      {IKnobControl::kVertical, 0, -1, &none, 1.0 / 160},
      {IKnobControl::kVertical, 0, 1, &none, -1.0 / 160},
      {IKnobControl::kVertical, 0, -1, &shift, 1.0 / 1600},
      {IKnobControl::kVertical, 0, -1, &ctrl, 1.0 / 1600},
      {IKnobControl::kVertical, 5, 0, &none, 0.0},
      {IKnobControl::kHorizontal, 1, -7, &none, 1.0 / 160},
  };
  for (const Row& row : rows) {
    IKnobMultiControl knob(&plug, 0, 0, 3, StripOf(strip.get(), 6), 4.0, row.direction);
    knob.SetValue(0.5);
    knob.MouseDrag(0, 0, row.dx, row.dy, const_cast<IMouseKeys*>(row.keys));
    EXPECT_NEAR(knob.GetValue(), 0.5 + row.change, 1e-12);
  }
  IKnobMultiControl knob(&plug, 0, 0, 3, StripOf(strip.get(), 6), 4.0);
  knob.SetValue(0.9);
  knob.MouseDrag(0, 0, 0, -41, &none);
  EXPECT_EQ(knob.GetValue(), 1.0);
  EXPECT_EQ(Performed(3).back(), 1.0);
  knob.SetValue(0.5);
  knob.MouseWheel(0, 0, &none, 2);
  EXPECT_NEAR(knob.GetValue(), 0.52, 1e-12);
  knob.MouseWheel(0, 0, &shift, -1);
  EXPECT_NEAR(knob.GetValue(), 0.519, 1e-12);
  knob.MouseWheel(0, 0, &none, 0);  // a part of a notch changes nothing
  EXPECT_NEAR(knob.GetValue(), 0.519, 1e-12);
}

TEST_F(ControlsTest, AnyKnobInheritsTheDragRules) {
  // A knob of its own kind (a spring-loaded wheel, say), 80 pixels high.
  struct Wheel : IKnobControl {
    explicit Wheel(IPluginCore* plug, const IRectangle* rect)
        : IKnobControl(plug, rect, 4, 0, 4.0) {}
    bool Draw(IGraphics*) override { return true; }
  };
  const IRectangle rect{99, 405, 169, 485};
  Wheel wheel(&plug, &rect);
  wheel.SetValue(0.5);
  wheel.MouseDrag(0, 0, 0, -40, &none);
  EXPECT_DOUBLE_EQ(wheel.GetValue(), 0.625);
  wheel.MouseWheel(0, 0, &none, 1);
  EXPECT_DOUBLE_EQ(wheel.GetValue(), 0.635);
}

TEST_F(ControlsTest, TheFirstValueFromThePlugInIsTheDefaultThatADoubleClickRestores) {
  IKnobMultiControl knob(&plug, 0, 0, 5, StripOf(strip.get(), 6), 4.0);
  knob.SetValue(0.8);
  knob.MouseDoubleClick(0, 0, &none);  // no default yet
  EXPECT_EQ(knob.GetValue(), 0.8);
  EXPECT_TRUE(Performed(5).empty());
  knob.SetValueFromPlug(0.3);
  knob.SetValueFromPlug(0.6);
  EXPECT_EQ(knob.GetDefaultValue(), 0.3);
  knob.MouseDoubleClick(0, 0, &none);
  EXPECT_EQ(knob.GetValue(), 0.3);
  EXPECT_EQ(Performed(5), std::vector<double>{0.3});
  // A change from the plug-in is drawn on two ticks and sends nothing back.
  knob.SetClean();
  knob.SetClean();
  knob.SetValueFromPlug(0.4);
  EXPECT_TRUE(knob.IsDirty());
  knob.SetClean();
  EXPECT_TRUE(knob.IsDirty());
  knob.SetClean();
  EXPECT_FALSE(knob.IsDirty());
  EXPECT_EQ(Performed(5).size(), 1u);
  knob.GrayOut(true);
  EXPECT_EQ(knob.GetBlend().weight, 0.25f);
  knob.GrayOut(false);
  EXPECT_EQ(knob.GetBlend().weight, 1.0f);
}

TEST_F(ControlsTest, ValueAndNameDisplaysFollowAPush) {
  const IRectangle box{0, 0, 50, 10};
  ITextControl value(&plug, &box, ITextStyle::Default(), "");
  ITextControl name(&plug, &box, ITextStyle::Default(), "");
  IKnobMultiControl knob(&plug, 0, 0, 9, StripOf(strip.get(), 6), 4.0);
  knob.SetValueDisplay(&value);
  knob.SetNameDisplay(&name);
  knob.SetValue(0.25);
  knob.SetDirty(true);
  EXPECT_STREQ(value.GetText(), "25.00 u");
  EXPECT_STREQ(name.GetText(), "P");
  EXPECT_EQ(plug.GetParam(9)->Value(), 25.0);
  value.SetClean();
  value.ReplaceText("25.00 u");
  EXPECT_FALSE(value.IsDirty());
}

TEST_F(ControlsTest, AFileSelectorReportsEachFinishedDialogOnce) {
  struct Selector : IFileSelectorControl {
    using IFileSelectorControl::IFileSelectorControl;
    void FileDialogDone() override {
      seenBeforePush = GetFile();
      pushesBefore = static_cast<int>(static_cast<RecordingPlugin*>(GetPlug())->events.size());
    }
    std::string seenBeforePush;
    int pushesBefore = -1;
  };
  const IRectangle rect{240, 0, 280, 25};
  Selector selector(&plug, &rect, 11, StripOf(strip.get(), 1), IFileSelectorControl::kOpen, "");
  EXPECT_STREQ(selector.GetExtensions(), "tovalunepreset");
  gui->fileAnswer = "C:\\presets\\a.tovalunepreset";
  selector.MouseDown(0, 0, &none);
  EXPECT_EQ(selector.seenBeforePush, gui->fileAnswer);
  EXPECT_EQ(selector.pushesBefore, 0);
  EXPECT_EQ(Performed(11), std::vector<double>{1.0});
  EXPECT_STREQ(selector.GetFolder(), "desk");
  selector.SetClean();
  EXPECT_TRUE(selector.IsDirty());  // the finished dialog, once
  EXPECT_FALSE(selector.IsDirty());

  gui->fileAnswer = "";
  selector.MouseDown(0, 0, &none);  // cancelled: no file, still one dirty report
  EXPECT_STREQ(selector.GetFile(), "");
  EXPECT_EQ(Performed(11), (std::vector<double>{1.0, 0.0}));
  selector.SetClean();
  EXPECT_TRUE(selector.IsDirty());
  EXPECT_FALSE(selector.IsDirty());
  EXPECT_EQ(gui->filePrompts, 2);
}

}  // namespace
