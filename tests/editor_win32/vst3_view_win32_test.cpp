// The VST3 editor view with the real window: the harness plug-in's view opens the editor in the
// host's window, follows a second view and a parent destroyed first; a module's view (the
// harness module's and the real bundle's) is opened the way a host opens it.
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

namespace {

// Opens the editor of a module's first class in a host window, as a host does, and gives the
// window's settled pixels. A module without an editor must refuse the view (and the result is
// empty), unless one is required.
Pixels ShowModuleEditor(const char* path, bool editorRequired) {
  HostWindow host(TestEditor::kWidth, TestEditor::kHeight);
  ModuleEditor module(path);
  EXPECT_TRUE(module.Loaded()) << path;
  const tresult result = module.Attach(host.Handle());
  if (!module.view) {
    ADD_FAILURE() << "no view";
    return Pixels();
  }
  ViewRect size;
  if (!editorRequired && module.view->isPlatformTypeSupported(kPlatformTypeHWND) != kResultOk) {
    EXPECT_EQ(result, kResultFalse);
    EXPECT_EQ(module.view->getSize(&size), kResultFalse);
    EXPECT_EQ(host.EditorChild(), nullptr);
    return Pixels();
  }
  EXPECT_EQ(result, kResultOk);
  HWND window = host.EditorChild();
  EXPECT_NE(window, nullptr);
  EXPECT_EQ(module.view->getSize(&size), kResultOk);
  EXPECT_EQ(size.getWidth(), 1000);
  EXPECT_EQ(size.getHeight(), 530);
  const Pixels shown = WaitForSettledPixels(window);
  module.Remove();
  EXPECT_FALSE(IsWindow(window));
  return shown;
}

// Pixels of the area that differ from the window's top-left pixel.
int DifferentFromCorner(const Pixels& shown, const IRectangle& area) {
  int different = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x)
      different += ((shown.At(x, y) ^ shown.At(0, 0)) & 0xFFFFFFu) != 0;
  }
  return different;
}

}  // namespace

TEST(Vst3Module, AModulesViewShowsItsEditorFromTheModulesOwnPictures) {
  const Pixels shown = ShowModuleEditor(TOVALUNE_HARNESS_MODULE, true);
  ASSERT_EQ(shown.width, TestEditor::kWidth);
  // The knob's picture, decoded from the module's resources, covers most of its square.
  const IRectangle knob = TestEditor::kKnobRect;
  EXPECT_GT(DifferentFromCorner(shown, knob), knob.Width() * knob.Height() / 2);
}

#ifdef TOVALUNE_VST3_BUNDLE_BINARY
TEST(Vst3Module, TheBundlesViewOpensItsEditorWhenItHasOne) {
  const Pixels shown = ShowModuleEditor(TOVALUNE_VST3_BUNDLE_BINARY, false);
  if (shown.argb.empty()) return;  // no editor in the module yet
  ASSERT_EQ(shown.width, 1000);
  const IRectangle all = {0, 0, shown.width, shown.height};
  EXPECT_GT(DifferentFromCorner(shown, all), shown.width * shown.height / 100);
}
#endif
