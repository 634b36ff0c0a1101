// The VST3 editor view with the real window: attached to the host's "HWND" only, its size, a
// second view taking the window and a host's window destroyed before the view is removed.
#include "editor_fixture.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;

TEST_F(EditorTest, AViewAttachesTheEditorToAWindowHandleOnlyAndRemovesIt) {
  IPlugView* view = plug->createView("editor");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultOk);
  for (FIDString other : {kPlatformTypeNSView, kPlatformTypeHIView, ""}) {
    EXPECT_EQ(view->isPlatformTypeSupported(other), kResultFalse) << other;
    EXPECT_EQ(view->attached(host.Handle(), other), kResultFalse) << other;
  }
  EXPECT_EQ(view->attached(nullptr, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(host.EditorChild(), nullptr);
  EXPECT_EQ(plug->guiOpened, 0);

  ASSERT_EQ(view->attached(host.Handle(), kPlatformTypeHWND), kResultOk);
  window = host.EditorChild();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window, gui->GetWindow());
  EXPECT_EQ(plug->guiOpened, 1);
  ViewRect size;
  ASSERT_EQ(view->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), 1000);
  EXPECT_EQ(size.getHeight(), 530);
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(ScreenDifferences(), 0);
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(plug->guiClosing, 1);
  view->release();
}

TEST_F(EditorTest, ASecondViewTakesTheWindowAndOutlivesTheFirstAndItsOwnHostsWindow) {
  HostWindow second(TestEditor::kWidth, TestEditor::kHeight);
  IPlugView* first = plug->createView("editor");
  IPlugView* other = plug->createView("editor");
  ASSERT_EQ(first->attached(host.Handle(), kPlatformTypeHWND), kResultOk);
  ASSERT_EQ(other->attached(second.Handle(), kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(host.EditorChild(), nullptr);
  window = second.EditorChild();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  EXPECT_EQ(plug->guiClosing, 1);  // the first view's time with the window ended
  first->removed();
  EXPECT_TRUE(IsWindow(window));
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(ScreenDifferences(), 0);

  // A host that destroys its window before removing the view does no harm.
  second.Destroy();
  EXPECT_EQ(gui->GetWindow(), nullptr);
  EXPECT_EQ(other->removed(), kResultOk);
  EXPECT_EQ(plug->guiOpened, 2);
  EXPECT_EQ(plug->guiClosing, 2);
  ASSERT_EQ(other->attached(host.Handle(), kPlatformTypeHWND), kResultOk);  // and again
  EXPECT_NE(host.EditorChild(), nullptr);
  other->removed();
  first->release();
  other->release();
}
