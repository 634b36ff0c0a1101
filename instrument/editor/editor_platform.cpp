#include "instrument/editor/editor_platform.h"

#include <atomic>

namespace {

std::atomic<EditorGraphicsMaker> installedMaker{nullptr};

}  // namespace

IGraphics* NewEditorGraphics(IPluginCore* plug, int width, int height, int fps, void* module) {
  if (EditorGraphicsMaker maker = installedMaker.load()) return maker(plug, width, height, fps);
  return NewPlatformEditorGraphics(plug, width, height, fps, module);
}

void SetEditorGraphicsMaker(EditorGraphicsMaker maker) {
  installedMaker.store(maker);
}
