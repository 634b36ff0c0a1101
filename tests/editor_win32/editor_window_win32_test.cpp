// The editor's window: class and placement, the frame tick's repaints as the screen shows them,
// no repaint without a change, opening, closing and reopening, two editors, a parent destroyed
// first, moving to another parent, resizing, images, the cursor and tooltips.
#include "editor_fixture.h"
// After the fixture, which brings the platform's main header.
#include <commctrl.h>

#include <memory>

#include "raster/bitmap.h"
#include "raster/png_image.h"

using namespace EditorHarness;

TEST_F(EditorTest, OpensAsAFocusedChildOfItsClassAndShowsTheBackBuffer) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(gui->GetWindow(), window);
  EXPECT_EQ(GetParent(window), host.Handle());
  EXPECT_EQ(host.EditorChild(), window);
  wchar_t text[32] = {};
  GetWindowTextW(window, text, 32);
  EXPECT_STREQ(text, L"IPlugin");
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_POPUP),
            WS_CHILD | WS_VISIBLE);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, TestEditor::kWidth);
  EXPECT_EQ(client.bottom, TestEditor::kHeight);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  EXPECT_TRUE(IGraphicsWin::WindowClassRegistered());
  EXPECT_STREQ(gui->DrawingApiName(), "Windows GDI");

  // Every pixel on screen is the back buffer's, and the back buffer shows the picture.
  EXPECT_EQ(ScreenDifferences(), 0);
  const Pixels screen = ReadWindowPixels(window);
  // What the screen showed survives a PNG file.
  TempFolder folder("tovalune_window");
  const std::string png = folder.Path() + "\\editor.png";
  ASSERT_TRUE(WritePixelsPng(png, screen));
  std::unique_ptr<Raster_MemBitmap> read(Raster_ReadPngFile(png.c_str(), nullptr));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(CountRgbDifferences(screen, ReadBitmapPixels(read.get(), screen.width, screen.height)),
            0);
  EXPECT_NE(screen.At(TestEditor::kKnobRect.left + 20, TestEditor::kKnobRect.top + 5),
            screen.At(5, 5));

  // A value from the host redraws the knob at a tick; the screen follows the back buffer.
  PushFromHost(HarnessPlugin::kKnob, 1.0);
  ASSERT_TRUE(WaitUntilDrawn());
  const Pixels turned = ReadWindowPixels(window);
  EXPECT_EQ(ScreenDifferences(), 0);
  EXPECT_GT(CountRgbDifferences(screen, turned), 0);
  int x = -1;
  int y = -1;
  CountRgbDifferences(screen, turned, &x, &y);
  EXPECT_TRUE(TestEditor::kKnobRect.Contains(x, y)) << x << "," << y;
}

TEST_F(EditorTest, PaintsOnlyWhenSomethingChangedAndThenTwice) {
  ASSERT_NE(Open(), nullptr);
  const int paints = gui->PaintCount();
  ASSERT_TRUE(WaitTicks(10));
  EXPECT_EQ(gui->PaintCount(), paints);

  PushFromHost(HarnessPlugin::kKnob, 0.2);
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(gui->PaintCount(), paints + 2);  // a value change is drawn on two ticks
  ASSERT_TRUE(WaitTicks(10));
  EXPECT_EQ(gui->PaintCount(), paints + 2);
}

TEST_F(EditorTest, ClosesAndReopensAndTheClassFollowsTheOpenWindows) {
  ASSERT_NE(Open(), nullptr);
  HWND first = window;
  gui->CloseWindow();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(gui->GetWindow(), nullptr);
  EXPECT_FALSE(gui->WindowIsOpen());
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
  gui->CloseWindow();  // closing a closed editor does nothing

  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(IGraphicsWin::WindowClassRegistered());
  EXPECT_EQ(ScreenDifferences(), 0);

  // WM_CLOSE closes it the same way.
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
}

TEST_F(EditorTest, AWindowThatCannotBeMadeLeavesTheClassAsItWas) {
  EXPECT_EQ(gui->OpenWindow(nullptr), nullptr);  // a child window needs a parent
  EXPECT_FALSE(gui->WindowIsOpen());
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(gui->OpenWindow(nullptr), nullptr);  // moving it nowhere closes it
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
}

TEST_F(EditorTest, TwoEditorsShareTheClassUntilTheLastCloses) {
  HarnessPlugin* other = new HarnessPlugin();
  IGraphicsWin* otherGui = TestEditor::Build(other, "", PictureModule());
  HostWindow otherHost(TestEditor::kWidth, TestEditor::kHeight);
  ASSERT_NE(Open(), nullptr);
  ASSERT_NE(otherGui->OpenWindow(otherHost.Handle()), nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 2);
  const int ticks = otherGui->TickCount();
  ASSERT_TRUE(PumpUntil([&] { return otherGui->TickCount() > ticks + 2 && gui->TickCount() > 2; }));

  gui->CloseWindow();
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  EXPECT_TRUE(IGraphicsWin::WindowClassRegistered());
  const int later = otherGui->TickCount();
  EXPECT_TRUE(PumpUntil([&] { return otherGui->TickCount() > later + 2; }));
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

  // The editor opens again in a new parent, and then closes for good.
  HostWindow second(TestEditor::kWidth, TestEditor::kHeight);
  ASSERT_NE(Open(second.Handle()), nullptr);
  EXPECT_EQ(ScreenDifferences(), 0);
  gui->CloseWindow();
  EXPECT_FALSE(IGraphicsWin::WindowClassRegistered());
}

TEST_F(EditorTest, AnEditorDeletedWhileItsWindowLivesTakesTheWindowAlong) {
  ASSERT_NE(Open(), nullptr);
  HWND open = window;
  // In the middle of a drag: the gesture is still open when the instance goes.
  MoveMouse(window, TestEditor::CentreX(TestEditor::kKnobRect),
            TestEditor::CentreY(TestEditor::kKnobRect));
  PressButton(Button::kLeft);
  ASSERT_TRUE(PumpUntil([&] { return gui->OpenGestureParam() == HarnessPlugin::kKnob; }));
  plug->release();
  plug = new HarnessPlugin();  // for TearDown
  EXPECT_FALSE(IsWindow(open));
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 0);
  // Nothing is left to deliver a tick or the release to the deleted editor.
  ReleaseButton(Button::kLeft);
  PumpUntil([] { return false; }, 200);
}

TEST_F(EditorTest, OpeningInAnotherParentMovesTheWindowAndKeepsItsPlace) {
  ASSERT_NE(Open(), nullptr);
  HWND first = window;
  SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  HostWindow second(TestEditor::kWidth + 50, TestEditor::kHeight + 50);
  ASSERT_NE(Open(second.Handle()), nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(GetParent(window), second.Handle());
  RECT placed;
  GetWindowRect(window, &placed);
  POINT origin = {0, 0};
  ClientToScreen(second.Handle(), &origin);
  EXPECT_EQ(placed.left - origin.x, 10);
  EXPECT_EQ(placed.top - origin.y, 20);
  EXPECT_EQ(placed.right - placed.left, TestEditor::kWidth);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
}

TEST_F(EditorTest, ResizingGrowsTheParentsOutsideVst3Only) {
  HostWindow outer(1200, 700);
  HWND middle = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 1100, 600,
                                outer.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(Open(middle), nullptr);
  auto size = [](HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return std::make_pair(static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
  };
  gui->ChangeSize(TestEditor::kWidth, TestEditor::kHeight);  // the same size: nothing happens
  EXPECT_EQ(gui->NControls(), TestEditor::kEditableControl + 1);

  gui->ChangeSize(1010, 540);  // VST3: the host resizes its own windows
  EXPECT_EQ(size(window), std::make_pair(1010, 540));
  EXPECT_EQ(size(middle), std::make_pair(1100, 600));
  EXPECT_EQ(gui->NControls(), 0);  // the caller adds the controls again

  plug->api = kApiVST2;
  gui->ChangeSize(1020, 560);
  EXPECT_EQ(size(window), std::make_pair(1020, 560));
  EXPECT_EQ(size(middle), std::make_pair(1110, 620));
  EXPECT_EQ(size(outer.Handle()), std::make_pair(1210, 720));  // the grandparent too
  gui->CloseWindow();
  DestroyWindow(middle);
}

TEST_F(EditorTest, LoadsPngResourcesByIdOnlyForPngNames) {
  Raster_IBitmap* background = gui->LoadImageResource(101, "resources/img/bg.PNG");
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->Width(), 1000);
  EXPECT_EQ(background->Height(), 1000);
  delete background;
  EXPECT_EQ(gui->LoadImageResource(101, "resources/img/bg.bmp"), nullptr);
  EXPECT_EQ(gui->LoadImageResource(101, "noextension"), nullptr);
  EXPECT_EQ(gui->LoadImageResource(99, "missing.png"), nullptr);
}

TEST_F(EditorTest, HidingTheCursorPutsItBackWhereItWas) {
  ASSERT_NE(Open(), nullptr);
  MoveMouse(window, 300, 200);
  POINT before;
  GetCursorPos(&before);
  gui->HideMouseCursor();
  gui->HideMouseCursor();  // once is enough
  SetCursorPos(before.x + 40, before.y + 40);
  gui->ShowMouseCursor();
  POINT after;
  GetCursorPos(&after);
  EXPECT_EQ(after.x, before.x);
  EXPECT_EQ(after.y, before.y);
  CURSORINFO info = {};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetCursorInfo(&info));
  EXPECT_NE(info.flags & CURSOR_SHOWING, 0u);
}

TEST_F(EditorTest, TooltipsShowTheHoveredControlsText) {
  gui->EnableTooltips(true);
  gui->EnableMouseOver(true);
  gui->GetControl(TestEditor::kKnobControl)->SetTooltip("Knob tip");
  ASSERT_NE(Open(), nullptr);
  HWND tooltip = static_cast<HWND>(gui->GetTooltipWindow());
  ASSERT_NE(tooltip, nullptr);
  auto shownText = [&] {
    wchar_t text[64] = {};
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(text);
  };
  MoveMouse(window, TestEditor::CentreX(TestEditor::kKnobRect),
            TestEditor::CentreY(TestEditor::kKnobRect));
  MoveMouse(window, TestEditor::CentreX(TestEditor::kKnobRect) + 1,
            TestEditor::CentreY(TestEditor::kKnobRect));
  EXPECT_TRUE(PumpUntil([&] { return shownText() == L"Knob tip"; }));
  EXPECT_EQ(gui->MouseOverIndex(), TestEditor::kKnobControl);
  MoveMouse(window, 700, 400);
  MoveMouse(window, 701, 400);
  EXPECT_TRUE(PumpUntil([&] { return shownText().empty(); }));
  gui->CloseWindow();
  EXPECT_FALSE(IsWindow(tooltip));
}
