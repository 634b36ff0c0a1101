#include "vst3/plugin_vst3_view.h"

#include <cstring>

#include "graphics/graphics.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vst3/plugin_vst3.h"

using namespace Steinberg;

namespace {

bool IsWindowHandleType(FIDString type) {
  return type && std::strcmp(type, kPlatformTypeHWND) == 0;
}

}  // namespace

IPluginVST3View::IPluginVST3View(IPluginVST3* owner) : plugin(owner) {
  plugin->addRef();
  plugin->AddOpenView(this);
}

IPluginVST3View::~IPluginVST3View() {
  if (HoldsEditorWindow()) CloseEditorWindow();
  plugin->RemoveOpenView(this);
  plugin->release();
}

tresult PLUGIN_API IPluginVST3View::isPlatformTypeSupported(FIDString type) {
  return plugin->GetGui() && IsWindowHandleType(type) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPluginVST3View::attached(void* parent, FIDString type) {
  IGraphics* gui = plugin->GetGui();
  if (!gui || !parent || !IsWindowHandleType(type)) return kResultFalse;
  // The window moves here from the view that held it: that view's time with it ends.
  if (plugin->EditorWindowView()) {
    plugin->SetEditorWindowView(nullptr);
    plugin->GuiClosing();
  }
  if (!gui->OpenWindow(parent)) return kResultFalse;
  plugin->SetEditorWindowView(this);
  CPluginView::attached(parent, type);
  plugin->GuiOpened();
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3View::removed() {
  if (HoldsEditorWindow()) CloseEditorWindow();
  return CPluginView::removed();
}

void IPluginVST3View::CloseEditorWindow() {
  plugin->SetEditorWindowView(nullptr);
  IGraphics* gui = plugin->GetGui();
  if (!gui) return;
  plugin->GuiClosing();
  gui->CloseWindow();
}

bool IPluginVST3View::HoldsEditorWindow() const {
  return plugin->EditorWindowView() == this;
}

tresult PLUGIN_API IPluginVST3View::getSize(ViewRect* size) {
  IGraphics* gui = plugin->GetGui();
  if (!gui) return kResultFalse;
  if (!size) return kInvalidArgument;
  *size = ViewRect(0, 0, gui->Width(), gui->Height());
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3View::onSize(ViewRect* newSize) {
  if (!newSize) return kResultOk;
  CPluginView::onSize(newSize);
  if (resizeRequested) {
    resizeRequested = false;
    plugin->GuiResized();
  }
  return kResultOk;
}

void IPluginVST3View::RequestResize(int w, int h) {
  if (!plugFrame) return;
  // Hosts usually answer with onSize before resizeView returns: the flag is up first.
  resizeRequested = true;
  ViewRect size(0, 0, w, h);
  if (plugFrame->resizeView(this, &size) != kResultOk) resizeRequested = false;
}
