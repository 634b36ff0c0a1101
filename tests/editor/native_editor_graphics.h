// The instrument's editor without a window: the graphics tests' scripted editor (memory back
// buffer, made-up glyphs, menus and file dialogs answered by the caller) drawing the PNG files
// the artwork generator wrote into the build tree (a missing file gives the editor's
// transparent placeholder). Tests and benchmarks install it with UseNativeEditors.
#pragma once

#include <string>
#include <utility>

#include "editor_test_support.h"

class NativeEditorGraphics : public TestGraphics {
 public:
  NativeEditorGraphics(IPluginCore* plug, int width, int height, std::string imageFolder)
      : TestGraphics(plug, width, height), imageFolder(std::move(imageFolder)) {}
  // The file of the image's name (its last path part) in the image folder.
  Raster_IBitmap* LoadImageResource(int id, const char* name) override;

  int imagesFound = 0;

 private:
  std::string imageFolder;
};

// Every instrument made from now on gets a NativeEditorGraphics drawing images from
// imageFolder. Creating thread.
void UseNativeEditors(const std::string& imageFolder);
// The editor the maker made last (owned by its instrument), or null.
NativeEditorGraphics* LastNativeEditor();
