#include "native_editor_graphics.h"

#include <new>

#include "instrument/editor/editor_platform.h"
#include "raster/png_image.h"

namespace {

std::string makerFolder;
NativeEditorGraphics* lastMade = nullptr;

IGraphics* MakeNativeEditor(IPluginCore* plug, int width, int height, int) {
  lastMade = new (std::nothrow) NativeEditorGraphics(plug, width, height, makerFolder);
  return lastMade;
}

}  // namespace

Raster_IBitmap* NativeEditorGraphics::LoadImageResource(int id, const char* name) {
  loadedImages.push_back(id);
  const std::string path(name ? name : "");
  const std::string file = imageFolder + "/" + path.substr(path.find_last_of('/') + 1);
  Raster_MemBitmap* bitmap = Raster_ReadPngFile(file.c_str(), nullptr);
  imagesFound += bitmap != nullptr;
  return bitmap;
}

void UseNativeEditors(const std::string& imageFolder) {
  makerFolder = imageFolder;
  SetEditorGraphicsMaker(MakeNativeEditor);
}

NativeEditorGraphics* LastNativeEditor() {
  return lastMade;
}
