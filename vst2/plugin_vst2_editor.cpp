// The editor as the host sees it: the editor flag of the descriptor, the editor rectangle and
// the three editor opcodes. Without an attached editor every opcode answers 0.
//
// EditorSize, OpenEditorWindow and CloseEditorWindow are the only places that ask the editor
// (IGraphics) for its size and its window.
#include <algorithm>
#include <cstdint>

#include "graphics/graphics.h"
#include "vst2/plugin_vst2.h"

bool IPluginVST2::EditorSize(int* width, int* height) const {
  const IGraphics* gui = GetGui();
  *width = gui ? gui->Width() : 0;
  *height = gui ? gui->Height() : 0;
  return gui != nullptr;
}

bool IPluginVST2::OpenEditorWindow(void* parent) {
  IGraphics* gui = GetGui();
  return gui && gui->OpenWindow(parent) != nullptr;
}

void IPluginVST2::CloseEditorWindow() {
  if (IGraphics* gui = GetGui()) gui->CloseWindow();
}

void IPluginVST2::UpdateEditorRect() {
  int width = 0;
  int height = 0;
  EditorSize(&width, &height);
  editorRect.top = 0;
  editorRect.left = 0;
  editorRect.bottom = static_cast<int16_t>(std::clamp(height, 0, int{INT16_MAX}));
  editorRect.right = static_cast<int16_t>(std::clamp(width, 0, int{INT16_MAX}));
}

void IPluginVST2::AttachGui(IGraphicsLink* gui) {
  if (!gui) return;
  MutexLock lock(GetMutex());
  IPluginCore::AttachGui(gui);
  effect.flags |= effFlagsHasEditor;
  UpdateEditorRect();
}

void IPluginVST2::RequestGuiResize(int /*width*/, int /*height*/) {
  // The host is not told: it reads the rectangle again with effEditGetRect.
  if (!GetGuiLink()) return;
  UpdateEditorRect();
  GuiResized();
}

intptr_t IPluginVST2::EditGetRect(void* ptr) {
  if (!ptr || !GetGuiLink()) return 0;
  *static_cast<ERect**>(ptr) = &editorRect;
  return 1;
}

intptr_t IPluginVST2::EditOpen(void* parent) {
  if (!GetGuiLink() || !OpenEditorWindow(parent)) return 0;
  GuiOpened();
  return 1;
}

intptr_t IPluginVST2::EditClose() {
  if (!GetGuiLink()) return 0;
  GuiClosing();
  CloseEditorWindow();
  return 1;
}
