// The editor window comes with the Windows editor layer.
#include "instrument/editor/editor_platform.h"

IGraphics* NewPlatformEditorGraphics(IPluginCore*, int, int, int, void*) {
  return nullptr;
}
