#include <cmath>
#include <memory>
#include <string>

#include "editor_test_support.h"

namespace {

using Event = RecordingPlugin::Event;

TEST(EntryText, TextBecomesAClampedValueOrIsRefused) {
  IParameter param;
  param.DefineDouble("Level", 0.0, -10.0, 10.0, 0.01);
  struct Row {
    const char* text;
    bool taken;
    double value;
  };
  const Row rows[] = {
      {"5", true, 5.0},    {"  2.5", true, 2.5},  {"+3", true, 3.0},         {"-4.5e0", true, -4.5},
      {"1,5", true, 1.0},  {"12abc", true, 10.0}, {"abc", true, 0.0},        {"-", true, 0.0},
      {".5", true, 0.5},   {"-99", true, -10.0},  {"", false, 0.0},          {"   ", false, 0.0},
      {"nan", false, 0.0}, {"inf", false, 0.0},   {"-Infinity", false, 0.0}, {"1e999", false, 0.0},
  };
  for (const Row& row : rows) {
    double v = 123.0;
    EXPECT_EQ(ParseEntryValue(&param, row.text, &v), row.taken) << row.text;
    EXPECT_EQ(v, row.taken ? row.value : 123.0) << row.text;
  }
  param.SetNegateDisplay(true);
  double v = 0.0;
  ASSERT_TRUE(ParseEntryValue(&param, "3", &v));
  EXPECT_EQ(v, -3.0);
  EXPECT_FALSE(ParseEntryValue(nullptr, "3", &v));
}

TEST(EntryText, TypedCharactersFollowTheParameterType) {
  IParameter real;
  real.DefineDouble("R", 0.0, 0.0, 1.0, 0.1);
  IParameter untyped;
  for (char ch : std::string("+-.0123456789"))
    EXPECT_TRUE(EntryAcceptsChar(&real, ch)) << ch;
  for (char ch : std::string("a,eE "))
    EXPECT_FALSE(EntryAcceptsChar(&real, ch)) << ch;
  EXPECT_TRUE(EntryAcceptsChar(&real, 8));  // backspace
  EXPECT_TRUE(EntryAcceptsChar(&untyped, 'x'));
  EXPECT_TRUE(EntryAcceptsChar(nullptr, 'x'));
}

class PromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    knob = new IKnobMultiControl(&plug, 10, 10, 1, StripOf(strip.get(), 6), 4.0);
    knob->DisablePrompt(false);
    gui->AddControl(knob);
    plug.AttachGui(gui);
  }

  RecordingPlugin plug{kApiVST2};
  TestGraphics* gui = new TestGraphics(&plug);
  std::unique_ptr<Raster_MemBitmap> strip{NumberedStrip(40, 40, 6)};
  IKnobMultiControl* knob = nullptr;
};

TEST_F(PromptTest, TheTextEntryIsPrefilledWithTheShownValueInABoxOverTheControl) {
  plug.GetParam(1)->SetClamped(37.256);
  knob->PromptUserInput();
  ASSERT_EQ(gui->entries.size(), 1u);
  EXPECT_EQ(gui->entries[0].text, "37.26");
  EXPECT_EQ(gui->entries[0].rect, (IRectangle{10, 22, 50, 38}));
  EXPECT_EQ(gui->entries[0].param, plug.GetParam(1));
  plug.GetParam(1)->SetNegateDisplay(true);
  knob->PromptUserInput();
  EXPECT_EQ(gui->entries[1].text, "-37.26");
  plug.GetParam(2)->DefineDouble("Whole", 3.7, 0.0, 10.0, 1.0);
  IKnobMultiControl whole(&plug, 0, 0, 2, StripOf(strip.get(), 6), 4.0);
  whole.DisablePrompt(false);
  whole.PromptUserInput();
  EXPECT_EQ(gui->entries[2].text, "3");
  knob->DisablePrompt(true);
  knob->PromptUserInput();
  EXPECT_EQ(gui->entries.size(), 3u);
}

TEST_F(PromptTest, ACommittedEntryIsOneCompleteHostEdit) {
  EXPECT_TRUE(gui->CommitTextEntry(knob, plug.GetParam(1), "50"));
  EXPECT_EQ(knob->GetValue(), 0.5);
  EXPECT_EQ(plug.GetParam(1)->Value(), 50.0);
  ASSERT_EQ(plug.events.size(), 3u);
  EXPECT_EQ(plug.KindsFor(1),
            (std::vector<Event::Kind>{Event::kBegin, Event::kPerform, Event::kEnd}));
  EXPECT_FALSE(gui->CommitTextEntry(knob, plug.GetParam(1), "nan"));
  EXPECT_FALSE(gui->CommitTextEntry(knob, plug.GetParam(1), ""));
  EXPECT_EQ(plug.events.size(), 3u);
  EXPECT_EQ(knob->GetValue(), 0.5);

  // Without a parameter the text goes to the control as it is.
  struct Label : ITextControl {
    using ITextControl::ITextControl;
    void SetTextFromUser(const char* text) override { ReplaceText(text); }
  };
  const IRectangle box{0, 0, 10, 10};
  Label label(&plug, &box, ITextStyle::Default(), "");
  EXPECT_TRUE(gui->CommitTextEntry(&label, nullptr, "typed"));
  EXPECT_STREQ(label.GetText(), "typed");
}

}  // namespace
