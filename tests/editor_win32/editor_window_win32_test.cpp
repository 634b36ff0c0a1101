// The editor's window: placement, repaints at the frame tick as the screen shows them and none
// without a change, opening, closing, reopening and moving, two editors, a parent destroyed
// first, an editor deleted under its window and resizing.
#include "editor_fixture.h"

namespace {

SIZE OuterSize(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

TEST_F(EditorTest, OpensAsAFocusedChildAndPaintsTheBackBufferOnlyWhenItChanges) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(host.EditorChild(), window);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_POPUP),
            WS_CHILD | WS_VISIBLE);
  EXPECT_EQ(OuterSize(window).cx, TestEditor::kWidth);
  EXPECT_EQ(OuterSize(window).cy, TestEditor::kHeight);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(ScreenDifferences(), 0);
  Pixels before = ReadWindowPixels(window);
  const int paints = gui->PaintCount();
  ASSERT_TRUE(WaitTicks(10));
  EXPECT_EQ(gui->PaintCount(), paints);

  // A value from the host redraws the knob, on two ticks, and nothing else.
  PushFromHost(HarnessPlugin::kKnob, 1.0);
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(gui->PaintCount(), paints + 2);
  EXPECT_EQ(ScreenDifferences(), 0);
  const Pixels after = ReadWindowPixels(window);
  const int knobChanged = CountRgbDifferences(before, after);
  EXPECT_GT(knobChanged, 0);
  const IRectangle& knob = TestEditor::kKnobRect;
  for (int y = knob.top; y < knob.bottom; ++y) {
    for (int x = knob.left; x < knob.right; ++x)
      before.argb[static_cast<size_t>(y) * before.width + x] = after.At(x, y);
  }
  EXPECT_EQ(CountRgbDifferences(before, after), 0);  // nothing outside the knob changed
}

TEST_F(EditorTest, ClosesReopensAndMovesAndTheClassFollowsTheOpenWindows) {
  EXPECT_EQ(gui->OpenWindow(nullptr), nullptr);  // a child window needs a parent
  ASSERT_NE(Open(), nullptr);
  HWND first = window;
  gui->CloseWindow();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(gui->WindowIsOpen());
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
  gui->CloseWindow();  // closing a closed editor does nothing

  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(ScreenDifferences(), 0);
  // Opening in another parent moves the window and keeps its place.
  SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  first = window;
  HostWindow second(TestEditor::kWidth + 50, TestEditor::kHeight + 50);
  ASSERT_NE(Open(second.Handle()), nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(GetParent(window), second.Handle());
  RECT placed;
  GetWindowRect(window, &placed);
  EXPECT_EQ(std::vector<LONG>({placed.left, placed.top}), std::vector<LONG>({10, 20}));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);

  SendMessageW(window, WM_CLOSE, 0, 0);  // closes it the same way
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(gui->OpenWindow(nullptr), nullptr);  // moving it nowhere closes it
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
}

TEST_F(EditorTest, TwoEditorsShareTheClassUntilTheLastCloses) {
  IGraphicsWin* otherGui = nullptr;
  HarnessPlugin* other = NewPlugin(&otherGui);
  HostWindow otherHost(TestEditor::kWidth, TestEditor::kHeight);
  ASSERT_NE(Open(), nullptr);
  ASSERT_NE(otherGui->OpenWindow(otherHost.Handle()), nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 2);
  gui->CloseWindow();
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  EXPECT_TRUE(IGraphicsWin::WindowClassRegistered());
  const int ticks = otherGui->TickCount();
  EXPECT_TRUE(PumpUntil([&] { return otherGui->TickCount() > ticks + 2; }));
  other->release();  // deleting the instance closes the last window
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
}

TEST_F(EditorTest, AParentDestroyedFirstLeavesNoDeadWindowBehind) {
  HostWindow doomed(TestEditor::kWidth, TestEditor::kHeight);
  ASSERT_NE(Open(doomed.Handle()), nullptr);
  HWND first = window;
  doomed.Destroy();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(gui->GetWindow(), nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  gui->CloseWindow();  // nothing left to close
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(ScreenDifferences(), 0);
}

TEST_F(EditorTest, AnEditorDeletedWhileItsWindowLivesTakesTheWindowAlong) {
  ASSERT_NE(Open(), nullptr);
  HWND open = window;
  PressOn(TestEditor::kKnobRect);  // in the middle of a drag
  ASSERT_TRUE(PumpUntil([&] { return gui->OpenGestureParam() == HarnessPlugin::kKnob; }));
  plug->release();
  plug = NewPlugin(&gui);  // for TearDown
  EXPECT_FALSE(IsWindow(open));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  // Nothing is left to deliver a tick or the release to the deleted editor.
  ReleaseButton(Button::kLeft);
  PumpUntil([] { return false; }, 200);
}

TEST_F(EditorTest, ResizingGrowsTheParentsOutsideVst3Only) {
  HostWindow outer(1200, 700);
  HWND middle = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1100, 600,
                                outer.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(Open(middle), nullptr);
  gui->ChangeSize(1010, 540);  // VST3: the host resizes its own windows
  EXPECT_EQ(OuterSize(window).cx, 1010);
  EXPECT_EQ(OuterSize(window).cy, 540);
  EXPECT_EQ(OuterSize(middle).cx, 1100);

  plug->api = kApiVST2;
  gui->ChangeSize(1020, 560);
  EXPECT_EQ(OuterSize(window).cx, 1020);
  EXPECT_EQ(OuterSize(middle).cx, 1110);
  EXPECT_EQ(OuterSize(middle).cy, 620);
  EXPECT_EQ(OuterSize(outer.Handle()).cx, 1210);  // the grandparent too
  gui->CloseWindow();
  DestroyWindow(middle);
}
