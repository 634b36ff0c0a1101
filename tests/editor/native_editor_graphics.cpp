#include "native_editor_graphics.h"

#include <new>
#include <utility>

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

NativeEditorGraphics::NativeEditorGraphics(IPluginCore* plug, int width, int height,
                                           std::string folder)
    : TestGraphics(plug, width, height), imageFolder(std::move(folder)) {}

IPopupMenu* NativeEditorGraphics::ShowPopupMenu(IPopupMenu* menu, IRectangle* rect) {
  ++menusShown;
  if (rect) lastMenuRect = *rect;
  return TestGraphics::ShowPopupMenu(menu, rect);
}

void NativeEditorGraphics::PromptForFile(HeapString* file, int action, HeapString* folder,
                                         const char* extensions) {
  lastFileAction = action;
  lastFileFolder = folder->Get();
  TestGraphics::PromptForFile(file, action, folder, extensions);
}

Raster_IBitmap* NativeEditorGraphics::LoadImageResource(int id, const char* name) {
  loadedImages.push_back(id);
  const std::string path(name ? name : "");
  const std::string file = imageFolder + "/" + path.substr(path.find_last_of('/') + 1);
  Raster_MemBitmap* bitmap = Raster_ReadPngFile(file.c_str(), nullptr);
  if (bitmap) ++imagesFound;
  return bitmap;
}

void UseNativeEditors(const std::string& imageFolder) {
  makerFolder = imageFolder;
  SetEditorGraphicsMaker(MakeNativeEditor);
}

NativeEditorGraphics* LastNativeEditor() {
  return lastMade;
}
