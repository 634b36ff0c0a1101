// On Windows the editor is the editor window of the module that embeds the images.
#include <new>

#include "graphics/graphics_win.h"
#include "instrument/editor/editor_platform.h"

IGraphics* NewPlatformEditorGraphics(IPluginCore* plug, int width, int height, int fps,
                                     void* module) {
  auto* graphics = new (std::nothrow) IGraphicsWin(plug, width, height, fps);
  if (graphics) graphics->SetModuleInstance(module);
  return graphics;
}
