#include <cstdio>
#include <limits>
#include <string>

#include "editor_test_support.h"
#include "raster/blend.h"

namespace {

enum Kind { kBitmap, kSwitch, kContact, kKnob, kSideways, kPlainKnob, kFile };
enum Action { kNone, kPress, kClick, kDoubleClick, kDrag, kWheel };
constexpr int kParam = 3;

// A knob of its own kind (the pitch wheel, say) 80 pixels high that draws nothing: it has only
// the drag and wheel rules of the knob base.
struct PlainKnob : IKnobControl {
  explicit PlainKnob(IPluginCore* plug, const IRectangle* rect)
      : IKnobControl(plug, rect, kParam, kVertical, 4.0) {}
  bool Draw(IGraphics*) override { return true; }
};

IControl* Make(Kind kind, IPluginCore* plug, IBitmapStrip strip) {
  const IRectangle rect{10, 10, 50, 90};
  if (kind == kBitmap) return new IBitmapControl(plug, 10, 10, strip);
  if (kind == kSwitch) return new ISwitchControl(plug, 10, 10, kParam, strip);
  if (kind == kContact) return new IContactControl(plug, 10, 10, kParam, strip);
  if (kind == kPlainKnob) return new PlainKnob(plug, &rect);
  if (kind == kFile) return new IFileSelectorControl(plug, &rect, kParam, strip, 0, "");
  return new IKnobMultiControl(plug, 10, 10, kParam, strip, 4.0, kind == kSideways);
}

// What the user does to one control (40 x 40 frames at (10, 10), knobs geared 4), the value it
// then holds and sends to the plug-in, and the frame it draws (0: nothing drawn).
TEST(Controls, EachControlChangesItsValueAndDrawsItsFrame) {
  struct Row {
    Kind kind;
    int frames;
    double start;
    Action action;
    int times, dx, dy;  // repeats; drag moves or the wheel's notches in dy
    int keys;           // 1 Shift, 2 Ctrl
    double value;
    int frame;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double step = 1.0 / 160;  // one pixel on 40 at gearing 4
  const Row rows[] = {
      {kBitmap, 99, 1.0, kNone, 0, 0, 0, 0, 1.0, 99},
      {kBitmap, 61, 0.5, kNone, 0, 0, 0, 0, 0.5, 31},
      {kBitmap, 5, 0.9, kNone, 0, 0, 0, 0, 0.9, 5},  // 3.6 rounds up
      {kBitmap, 5, nan, kNone, 0, 0, 0, 0, nan, 1},
      {kBitmap, 5, 1e300, kNone, 0, 0, 0, 0, 1e300, 5},
      {kBitmap, 5, -3.0, kNone, 0, 0, 0, 0, -3.0, 1},
      {kSwitch, 2, 0.0, kPress, 1, 0, 0, 0, 1.0, 2},
      {kSwitch, 2, 0.0, kPress, 2, 0, 0, 0, 0.0, 1},
      {kSwitch, 3, 0.0, kPress, 2, 0, 0, 0, 1.0, 3},
      {kSwitch, 4, 0.0, kPress, 1, 0, 0, 0, 1 / 3.0, 2},
      {kSwitch, 4, 0.0, kPress, 4, 0, 0, 0, 0.0, 1},
      {kSwitch, 6, 0.0, kPress, 5, 0, 0, 0, 1.0, 6},
      {kSwitch, 6, 0.0, kPress, 6, 0, 0, 0, 0.0, 1},
      {kSwitch, 3, 0.0, kDoubleClick, 1, 0, 0, 0, 0.5, 2},  // one more press
      {kContact, 2, 0.0, kPress, 1, 0, 0, 0, 1.0, 2},
      {kContact, 2, 0.0, kClick, 1, 0, 0, 0, 0.0, 1},
      {kContact, 2, 1.0, kPress, 1, 0, 0, 0, 0.0, 1},  // a lit key goes out
      {kKnob, 6, 0.5, kDrag, 1, 0, -1, 0, 0.5 + step, 4},
      {kKnob, 6, 0.5, kDrag, 1, 0, 1, 0, 0.5 - step, 3},
      {kKnob, 6, 0.5, kDrag, 1, 0, -1, 1, 0.5 + step / 10, 4},
      {kKnob, 6, 0.5, kDrag, 1, 0, 1, 2, 0.5 - step / 10, 3},
      {kKnob, 6, 0.5, kDrag, 1, 5, 0, 0, 0.5, 4},
      {kKnob, 6, 0.9, kDrag, 1, 0, -41, 0, 1.0, 6},
      {kKnob, 6, 0.5, kWheel, 1, 0, 2, 0, 0.52, 4},
      {kKnob, 6, 0.5, kWheel, 1, 0, -1, 1, 0.499, 3},
      {kKnob, 6, 0.5, kWheel, 1, 0, 0, 0, 0.5, 4},
      {kKnob, 6, 0.1, kWheel, 1, 0, -20, 0, 0.0, 1},
      {kKnob, 6, 0.8, kDoubleClick, 1, 0, 0, 0, 0.8, 5},  // no default yet
      {kSideways, 6, 0.5, kDrag, 1, 1, -7, 0, 0.5 + step, 4},
      {kPlainKnob, 1, 0.5, kDrag, 1, 0, -40, 0, 0.625, 0},
      {kPlainKnob, 1, 0.5, kWheel, 1, 0, 1, 0, 0.51, 0},
      {kFile, 1, 0.0, kPress, 1, 0, 0, 0, 1.0, 0},
      {kFile, 1, 0.0, kPress, 2, 0, 0, 0, 0.0, 0},
  };
  StripMaker strips;
  RecordingPlugin plug;
  auto* gui = new TestGraphics(&plug);
  plug.AttachGui(gui);
  const IRectangle all{0, 0, 200, 100};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "kind " << row.kind << ", " << row.frames << " frames from "
                                    << row.start << ", action " << row.action);
    gui->ChangeSize(200, 100);
    Raster_FillArea(gui->GetBackBuffer(), 0, 0, 200, 100, 0, 1.0f, BlendCopy);
    plug.events.clear();
    IControl* control = Make(row.kind, &plug, strips(40, 40, row.frames));
    gui->AddControl(control);
    control->SetValue(row.start);
    ITextControl shown(&plug, &all, ITextStyle::Default(), "");
    ITextControl name(&plug, &all, ITextStyle::Default(), "");
    control->SetValueDisplay(&shown);
    control->SetNameDisplay(&name);
    IMouseKeys keys{true, false, row.keys == 1, row.keys == 2, false};
    for (int i = 0; i < row.times; ++i) {
      if (row.action == kPress || row.action == kClick) control->MouseDown(20, 20, &keys);
      if (row.action == kClick) control->MouseUp(20, 20, &keys);
      if (row.action == kDoubleClick) control->MouseDoubleClick(20, 20, &keys);
      if (row.action == kDrag) control->MouseDrag(20, 20, row.dx, row.dy, &keys);
      if (row.action == kWheel) control->MouseWheel(20, 20, &keys, row.dy);
    }
    const std::vector<double> sent = plug.Performed(kParam);
    if (row.action != kNone) {
      EXPECT_NEAR(control->GetValue(), row.value, 1e-12);
      EXPECT_NEAR(sent.empty() ? row.start : sent.back(), row.value, 1e-12);
      char text[32];  // what the displays show after a change the user made
      std::snprintf(text, sizeof(text), "%.2f u", row.value * 100);
      EXPECT_EQ(std::string(shown.GetText()) + name.GetText(),
                sent.empty() ? "" : text + std::string("P"));
    }
    gui->Draw(&all);
    EXPECT_EQ(Pixel(gui->GetBackBuffer(), 11, 11), row.frame ? 0xFF000000u | row.frame : 0u);
  }
}

}  // namespace
