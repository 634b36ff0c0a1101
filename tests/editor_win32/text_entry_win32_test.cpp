// The text entry over a control: opened by the value prompt of a right press (VST2), typed into
// with real keys, committed by Return or by the focus leaving, cancelled by Escape, a press
// elsewhere, text that is no number, closing the editor and resizing it.
#include <functional>

#include "editor_fixture.h"

class TextEntry : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    plug->api = kApiVST2;  // a right press on a bound control prompts for its value
    ASSERT_NE(Open(), nullptr);
  }
  // Opens the knob's entry with a right click and waits until it has the focus.
  HWND OpenKnobEntry() {
    ClickOn(TestEditor::kKnobRect, Button::kRight);
    PumpUntil([&] { return gui->GetEntryField() && GetFocus() == gui->GetEntryField(); });
    SettleInput();
    return static_cast<HWND>(gui->GetEntryField());
  }
  std::wstring FieldText() {
    wchar_t text[64] = {};
    GetWindowTextW(static_cast<HWND>(gui->GetEntryField()), text, 64);
    return text;
  }
  // Types text, waits until the field shows shown, then ends the entry with end().
  void TypeAndEnd(
      const std::wstring& text, const std::wstring& shown,
      const std::function<void()>& end = [] { TapKey(VK_RETURN); }) {
    TypeText(text);
    ASSERT_TRUE(PumpUntil([&] { return FieldText() == shown; }));
    end();
    ASSERT_TRUE(PumpUntil([&] { return gui->GetEntryField() == nullptr; }));
    SettleInput();
  }
  double Knob() { return plug->Value(HarnessPlugin::kKnob); }
};

TEST_F(TextEntry, OpensOverTheControlWithTheValueSelectedAndTheEditorStandsStill) {
  HWND field = OpenKnobEntry();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(GetParent(field), window);
  EXPECT_EQ(FieldText(), L"50.00");
  EXPECT_EQ(SendMessageW(field, EM_GETSEL, 0, 0), MAKELRESULT(0, 5));  // all of it selected
  // Over the 40 x 16 box centred on the knob, one pixel larger each way.
  RECT placed;
  GetWindowRect(field, &placed);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(std::vector<LONG>({placed.left, placed.top, placed.right, placed.bottom}),
            std::vector<LONG>({100, 112, 141, 129}));
  // The right press let the mouse go and ended the gesture it began.
  EXPECT_NE(GetCapture(), window);
  EXPECT_TRUE(plug->GesturesBalanced());
  const int ticks = gui->TickCount();
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(gui->TickCount(), ticks);  // no tick while the field has the focus
  // A repaint of the editor meanwhile leaves the field's pixels alone.
  const Pixels before = ReadWindowPixels(window);
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  EXPECT_EQ(CountRgbDifferences(before, ReadWindowPixels(window)), 0);
  // A second entry while one is open does nothing.
  IRectangle elsewhere = {500, 400, 560, 420};
  gui->ShowTextEntry(gui->GetControl(TestEditor::kSwitchControl), nullptr, &elsewhere, "x",
                     nullptr);
  EXPECT_EQ(gui->GetEntryField(), field);
}

TEST_F(TextEntry, ReturnOrTheFocusLeavingCommitsTheTypedNumberAsOneGesture) {
  ASSERT_NE(OpenKnobEntry(), nullptr);
  plug->edits.clear();
  TypeAndEnd(L"7a5.5x", L"75.5");  // letters are refused by a number's entry
  EXPECT_DOUBLE_EQ(Knob(), 75.5);
  ASSERT_EQ(plug->edits.size(), 3u);
  EXPECT_EQ(plug->edits[0].kind, Edit::kBegin);
  EXPECT_EQ(plug->edits[1].kind, Edit::kPerform);
  EXPECT_EQ(plug->edits[2].kind, Edit::kEnd);
  EXPECT_EQ(GetFocus(), window);  // the editor takes its keys back
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(ScreenDifferences(), 0);  // the field's pixels are gone

  // The focus leaving commits too, and stays where it went.
  ASSERT_NE(OpenKnobEntry(), nullptr);
  TypeAndEnd(L"33", L"33", [&] { SetFocus(host.Handle()); });
  EXPECT_DOUBLE_EQ(Knob(), 33.0);
  EXPECT_EQ(GetFocus(), host.Handle());
}

// After each cancel the next click is whole: the contact hears its release.
TEST_F(TextEntry, EscapeAPressElsewhereNanEmptyTextAndAResizeCancel) {
  const struct {
    const char* name;
    std::wstring typed;
    std::wstring shown;
    std::function<void()> end;
  } cases[] = {
      {"escape", L"12", L"12", [] { TapKey(VK_ESCAPE); }},
      {"press elsewhere", L"12", L"12", [&] { Click(window, 700, 450); }},
      {"press released outside the editor", L"12", L"12",
       [&] {
         MoveMouse(window, 700, 450);
         PressButton(Button::kLeft);
         MoveMouse(window, TestEditor::kWidth + 100, 450);
         ReleaseButton(Button::kLeft);
       }},
      {"pasted nan", L"", L"nan", [] { TapKey(VK_RETURN); }},
      {"empty", L"", L"", [] { TapKey(VK_RETURN); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetClipboardText(L"nan"));
    ASSERT_NE(OpenKnobEntry(), nullptr);
    TapKey(c.shown == L"nan" ? 'V' : VK_DELETE, c.shown == L"nan");  // paste or clear
    TypeAndEnd(c.typed, c.shown, c.end);
    EXPECT_DOUBLE_EQ(Knob(), 50.0);
    EXPECT_EQ(Count(Edit::kPerform), 0);
    const int clicks = Count(Edit::kEnd, HarnessPlugin::kContact) + 1;
    ClickOn(TestEditor::kContactRect);
    ASSERT_TRUE(PumpUntil([&] { return Count(Edit::kEnd, HarnessPlugin::kContact) == clicks; }));
    EXPECT_EQ(Count(Edit::kPerform, HarnessPlugin::kContact), 2 * clicks);
  }
  // Resizing (as VST3, which leaves the shared host window alone) closes the entry unread.
  ASSERT_NE(OpenKnobEntry(), nullptr);
  plug->api = kApiVST3;
  TypeAndEnd(L"9", L"9", [&] { gui->ChangeSize(800, 400), TapKey(VK_RETURN); });
  EXPECT_EQ(Count(Edit::kPerform), 0);
}

TEST_F(TextEntry, ClosingTheEditorCancelsTheEntryAndTheReopenedEditorWorks) {
  ASSERT_NE(OpenKnobEntry(), nullptr);
  TypeText(L"9");
  ASSERT_TRUE(PumpUntil([&] { return FieldText() == L"9"; }));
  gui->CloseWindow();
  EXPECT_EQ(gui->GetEntryField(), nullptr);
  EXPECT_EQ(gui->GetEditedControl(), nullptr);

  ASSERT_NE(Open(), nullptr);
  EXPECT_DOUBLE_EQ(Knob(), 50.0);
  EXPECT_EQ(Count(Edit::kPerform), 0);
  EXPECT_EQ(ScreenDifferences(), 0);
  ClickOn(TestEditor::kSwitchRect);  // not frozen: a press reaches the switch
  EXPECT_TRUE(PumpUntil([&] { return plug->Value(HarnessPlugin::kSwitch) == 1.0; }));
  EXPECT_NE(OpenKnobEntry(), nullptr);
}
