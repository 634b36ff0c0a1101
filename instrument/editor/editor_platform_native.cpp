// Natively the plug-in has no window, so its editor exists only where a maker is installed.
#include "instrument/editor/editor_platform.h"

IGraphics* NewPlatformEditorGraphics(IPluginCore*, int, int, int, void*) {
  return nullptr;
}
