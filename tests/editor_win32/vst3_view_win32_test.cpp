// The VST3 editor view with the real window: the harness plug-in's view opens the editor in the
// host's window, follows a second view and a parent destroyed first; the real bundle's view is
// opened the way a host opens it.
#include "editor_fixture.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace EditorHarness;
using namespace Steinberg;

class Vst3View : public EditorTest {
 protected:
  IPlugView* NewView() { return plug->createView("editor"); }
};

TEST_F(Vst3View, AttachesTheEditorToTheHostsWindowAndRemovesIt) {
  IPlugView* view = NewView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(view->attached(host.Handle(), kPlatformTypeHIView), kResultFalse);
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

TEST_F(Vst3View, TheSecondViewTakesTheWindowAndTheFirstOnesRemovalLeavesIt) {
  HostWindow second(TestEditor::kWidth, TestEditor::kHeight);
  IPlugView* first = NewView();
  IPlugView* other = NewView();
  ASSERT_EQ(first->attached(host.Handle(), kPlatformTypeHWND), kResultOk);
  ASSERT_EQ(other->attached(second.Handle(), kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(host.EditorChild(), nullptr);
  window = second.EditorChild();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(IGraphicsWin::OpenWindowCount(), 1);
  first->removed();
  EXPECT_TRUE(IsWindow(window));
  ASSERT_TRUE(WaitUntilDrawn());
  EXPECT_EQ(ScreenDifferences(), 0);
  other->removed();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(plug->guiOpened, 2);
  EXPECT_EQ(plug->guiClosing, 2);
  first->release();
  other->release();
}

TEST_F(Vst3View, AHostThatDestroysItsWindowBeforeRemovingTheViewCausesNoHarm) {
  HostWindow doomed(TestEditor::kWidth, TestEditor::kHeight);
  IPlugView* view = NewView();
  ASSERT_EQ(view->attached(doomed.Handle(), kPlatformTypeHWND), kResultOk);
  doomed.Destroy();
  EXPECT_EQ(gui->GetWindow(), nullptr);
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(plug->guiClosing, 1);
  // The next host window gets the editor again.
  HostWindow again(TestEditor::kWidth, TestEditor::kHeight);
  ASSERT_EQ(view->attached(again.Handle(), kPlatformTypeHWND), kResultOk);
  EXPECT_NE(again.EditorChild(), nullptr);
  view->removed();
  view->release();
}

#ifdef TOVALUNE_VST3_BUNDLE_BINARY
TEST(Vst3Bundle, TheModulesViewOpensItsEditorWhenItHasOne) {
  HostWindow host(TestEditor::kWidth, TestEditor::kHeight);
  ModuleEditor module(TOVALUNE_VST3_BUNDLE_BINARY);
  ASSERT_TRUE(module.Loaded());
  const tresult result = module.Attach(host.Handle());
  ASSERT_NE(module.view, nullptr);
  ViewRect size;
  if (module.view->isPlatformTypeSupported(kPlatformTypeHWND) != kResultOk) {
    // No editor in the module yet: the view refuses, and opens nothing.
    EXPECT_EQ(result, kResultFalse);
    EXPECT_EQ(module.view->getSize(&size), kResultFalse);
    EXPECT_EQ(host.EditorChild(), nullptr);
    return;
  }
  ASSERT_EQ(result, kResultOk);
  HWND window = host.EditorChild();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(module.view->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), 1000);
  EXPECT_EQ(size.getHeight(), 530);
  // Painted from the module's own pictures: the window is not one flat colour.
  EXPECT_TRUE(PumpUntil([&] {
    const Pixels shown = ReadWindowPixels(window);
    return !shown.argb.empty() &&
           CountRgbDifferences(
               shown, Pixels{shown.width, shown.height,
                             std::vector<uint32_t>(shown.argb.size(), shown.At(0, 0))}) > 1000;
  }));
  module.Remove();
  EXPECT_FALSE(IsWindow(window));
}
#endif
