// The editor view: which names give a view, the platform type, attaching and removing, the
// editor's size, resize requests through the host's frame and two views of one instance. The
// editor is scripted here (its window is the parent handle itself); the Windows editor window
// is tested under Wine in tests/editor_win32.
#include <vector>

#include "binding_fixture.h"
#include "graphics/graphics.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vst3/plugin_vst3_view.h"

using namespace Steinberg;

namespace {

// An editor whose window opens when canOpen says so, and is then the parent handle.
class ScriptedEditor : public IGraphics {
 public:
  explicit ScriptedEditor(IPluginCore* plug) : IGraphics(plug, 1000, 530) {}

  void* OpenWindow(void* parent) override {
    CloseWindow();
    opens.push_back(parent);
    window = canOpen ? parent : nullptr;
    return window;
  }
  void CloseWindow() override {
    if (window) ++closes;
    window = nullptr;
  }
  void* GetWindow() override { return window; }

  bool BlitToWindow(const IRectangle*) override { return true; }
  void CancelTextEntry() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  IPopupMenu* ShowPopupMenu(IPopupMenu*, IRectangle*) override { return nullptr; }
  void ShowTextEntry(IControl*, ITextStyle*, IRectangle*, const char*, IParameter*) override {}
  void HostFolder(HeapString*) override {}
  void PluginFolder(HeapString*) override {}
  void DesktopFolder(HeapString*) override {}
  void AppDataFolder(HeapString*, bool) override {}
  void UserAppDataFolder(HeapString*) override {}
  void PromptForFile(HeapString*, int, HeapString*, const char*) override {}
  bool PromptForColor(IColor*, const char*) override { return false; }
  bool OpenUrl(const char*, const char*, const char*, const char*) override { return false; }
  bool GetClipboardText(HeapString*) override { return false; }
  Raster_IBitmap* LoadImageResource(int, const char*) override { return nullptr; }
  Raster_CachedFont* NewFont(const ITextStyle*) override { return nullptr; }

  bool canOpen = true;
  void* window = nullptr;
  std::vector<void*> opens;
  int closes = 0;
};

// The host's frame: records resize requests and, when it agrees, answers with onSize at once.
class TestPlugFrame : public IPlugFrame {
 public:
  tresult PLUGIN_API queryInterface(const TUID, void** obj) override {
    *obj = nullptr;
    return kNoInterface;
  }
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* size) override {
    requests.push_back(*size);
    if (!agrees) return kResultFalse;
    view->onSize(size);
    return kResultOk;
  }
  bool agrees = true;
  std::vector<ViewRect> requests;
  TEST_HOST_REFCOUNT
};

bool SameRect(const ViewRect& r, int left, int top, int right, int bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

class EditorView : public PreparedTestPlugin {
 protected:
  void SetUp() override {
    PreparedTestPlugin::SetUp();
    editor = new ScriptedEditor(plugin);
    plugin->AttachGui(editor);
  }
  IPlugView* NewView() { return session.controller->createView("editor"); }
  IPluginVST3View* Ours(IPlugView* view) { return static_cast<IPluginVST3View*>(view); }

  ScriptedEditor* editor = nullptr;
  int parentA = 0;
  int parentB = 0;
};

}  // namespace

TEST_F(PreparedTestPlugin, GivesAViewForTheEditorNameOnlyAndEveryViewHoldsThePlugIn) {
  const int32 references = plugin->getRefCount();
  EXPECT_EQ(session.controller->createView(nullptr), nullptr);
  EXPECT_EQ(session.controller->createView("Editor"), nullptr);
  EXPECT_EQ(session.controller->createView("editorial"), nullptr);
  IPlugView* first = session.controller->createView("editor");
  IPlugView* second = session.controller->createView("editor");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(plugin->NOpenViews(), 2);
  EXPECT_EQ(plugin->getRefCount(), references + 2);
  first->release();
  EXPECT_EQ(plugin->NOpenViews(), 1);
  second->release();
  EXPECT_EQ(plugin->NOpenViews(), 0);
  EXPECT_EQ(plugin->getRefCount(), references);
}

TEST_F(PreparedTestPlugin, AViewWithoutAnEditorAnswersFalseAndReportsNothing) {
  IPlugView* view = session.controller->createView("editor");
  ASSERT_NE(view, nullptr);
  int parent = 0;
  ViewRect size;
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(view->attached(&parent, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(view->getSize(&size), kResultFalse);
  EXPECT_EQ(view->removed(), kResultOk);
  plugin->RequestGuiResize(10, 10);
  EXPECT_EQ(plugin->guiOpened + plugin->guiClosing + plugin->guiResized, 0);
  view->release();
}

TEST_F(EditorView, OpensTheEditorInAWindowHandleOnlyAndGivesItsSize) {
  IPlugView* view = NewView();
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeNSView), kResultFalse);
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);

  // Another type, or no parent, opens nothing and reports nothing.
  EXPECT_EQ(view->attached(&parentA, kPlatformTypeNSView), kResultFalse);
  EXPECT_EQ(view->attached(nullptr, kPlatformTypeHWND), kResultFalse);
  EXPECT_TRUE(editor->opens.empty());
  EXPECT_EQ(plugin->guiOpened, 0);

  ViewRect size;
  ASSERT_EQ(view->getSize(&size), kResultOk);
  EXPECT_TRUE(SameRect(size, 0, 0, 1000, 530));
  EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);

  ASSERT_EQ(view->attached(&parentA, kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(editor->opens, std::vector<void*>{&parentA});
  EXPECT_EQ(plugin->guiOpened, 1);
  EXPECT_TRUE(Ours(view)->HoldsEditorWindow());

  // The host's input and size negotiation stay with the host.
  EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
  EXPECT_EQ(view->onKeyDown(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onKeyUp(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onFocus(true), kResultFalse);
  EXPECT_EQ(view->canResize(), kResultFalse);
  EXPECT_EQ(view->checkSizeConstraint(&size), kResultFalse);

  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(plugin->guiClosing, 1);
  EXPECT_EQ(editor->closes, 1);
  EXPECT_FALSE(Ours(view)->HoldsEditorWindow());
  EXPECT_EQ(view->removed(), kResultOk);  // once more: nothing left to close
  EXPECT_EQ(plugin->guiClosing, 1);
  view->release();
}

TEST_F(EditorView, AWindowThatCannotBeMadeIsRefusedAndNeverReported) {
  editor->canOpen = false;
  IPlugView* view = NewView();
  EXPECT_EQ(view->attached(&parentA, kPlatformTypeHWND), kResultFalse);
  EXPECT_EQ(plugin->guiOpened, 0);
  EXPECT_FALSE(Ours(view)->HoldsEditorWindow());
  view->removed();
  view->release();
  EXPECT_EQ(plugin->guiClosing, 0);
}

TEST_F(EditorView, ReportsGuiResizedOnceAfterTheHostFollowedARequest) {
  IPlugView* view = NewView();
  TestPlugFrame frame;
  plugin->RequestGuiResize(800, 400);  // no frame yet: nobody to ask
  ASSERT_EQ(view->setFrame(&frame), kResultTrue);
  ASSERT_EQ(view->attached(&parentA, kPlatformTypeHWND), kResultOk);

  plugin->RequestGuiResize(800, 400);
  ASSERT_EQ(frame.requests.size(), 1u);
  EXPECT_TRUE(SameRect(frame.requests[0], 0, 0, 800, 400));
  EXPECT_EQ(plugin->guiResized, 1);
  ViewRect hostSize(0, 0, 640, 480);
  EXPECT_EQ(view->onSize(&hostSize), kResultOk);  // the host's own resize: no report
  EXPECT_EQ(view->onSize(nullptr), kResultOk);
  EXPECT_EQ(plugin->guiResized, 1);

  // The editor's own resize reaches the host the same way.
  editor->ChangeSize(900, 500);
  ASSERT_EQ(frame.requests.size(), 2u);
  EXPECT_TRUE(SameRect(frame.requests[1], 0, 0, 900, 500));
  EXPECT_EQ(plugin->guiResized, 2);

  // A request the host refuses leaves no flag behind for a later, unrelated onSize.
  frame.agrees = false;
  plugin->RequestGuiResize(700, 300);
  EXPECT_FALSE(Ours(view)->ResizeRequested());
  EXPECT_EQ(view->onSize(&hostSize), kResultOk);
  EXPECT_EQ(plugin->guiResized, 2);
  view->removed();
  view->release();
}

TEST_F(EditorView, TheViewAttachedLastHoldsTheWindowAndOnlyItsRemovalClosesIt) {
  IPlugView* first = NewView();
  IPlugView* second = NewView();
  TestPlugFrame firstFrame;
  TestPlugFrame secondFrame;
  first->setFrame(&firstFrame);
  second->setFrame(&secondFrame);
  ASSERT_EQ(first->attached(&parentA, kPlatformTypeHWND), kResultOk);
  ASSERT_EQ(second->attached(&parentB, kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(editor->window, &parentB);
  EXPECT_EQ(plugin->guiOpened, 2);
  EXPECT_EQ(plugin->guiClosing, 1);  // the window left the first view
  EXPECT_FALSE(Ours(first)->HoldsEditorWindow());
  EXPECT_TRUE(Ours(second)->HoldsEditorWindow());

  // Resize requests and context menus follow the window.
  plugin->RequestGuiResize(800, 400);
  EXPECT_TRUE(firstFrame.requests.empty());
  EXPECT_EQ(secondFrame.requests.size(), 1u);
  EXPECT_EQ(plugin->EditorView(), Ours(second));

  EXPECT_EQ(first->removed(), kResultOk);
  EXPECT_EQ(editor->window, &parentB);
  EXPECT_EQ(plugin->guiClosing, 1);
  EXPECT_EQ(second->removed(), kResultOk);
  EXPECT_EQ(editor->window, nullptr);
  EXPECT_EQ(plugin->guiClosing, 2);
  EXPECT_EQ(plugin->EditorView(), Ours(first));  // no window: the first view created

  // Reattaching the first view after all works as the first time did.
  ASSERT_EQ(first->attached(&parentA, kPlatformTypeHWND), kResultOk);
  EXPECT_EQ(editor->window, &parentA);
  second->release();
  EXPECT_EQ(editor->window, &parentA);
  first->release();  // released while attached: the window closes with it
  EXPECT_EQ(editor->window, nullptr);
  EXPECT_EQ(plugin->guiOpened, plugin->guiClosing);
  EXPECT_EQ(plugin->NOpenViews(), 0);
}
