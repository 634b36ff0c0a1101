// The editor as the host sees it: the editor flag of the descriptor, the editor rectangle and
// the three editor opcodes. Without an attached editor every opcode answers 0.
//
// The binding reaches the editor only through IGraphicsLink, which offers no window operations
// and no size: EditorSize, OpenEditorWindow and CloseEditorWindow are the only places that
// would ask the editor for them. Until then an attached editor has an empty rectangle and
// opens no window.
#include <algorithm>
#include <cstdint>

#include "vst2/plugin_vst2.h"

bool IPluginVST2::EditorSize(int* width, int* height) const {
  *width = 0;
  *height = 0;
  return false;
}

bool IPluginVST2::OpenEditorWindow(void* /*parent*/) {
  return false;
}

void IPluginVST2::CloseEditorWindow() {}

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
