// The instrument's editor without a window: the graphics tests' scripted editor (memory back
// buffer, made-up glyphs, menus and file dialogs answered by the caller) with the editor's
// images read from the PNG files the artwork generator wrote into the build tree (a missing
// file gives the editor's transparent placeholder). Tests and benchmarks install it as the maker
// of every instrument's editor (SetEditorGraphicsMaker).
#pragma once

#include <string>

#include "editor_test_support.h"

class NativeEditorGraphics : public TestGraphics {
 public:
  NativeEditorGraphics(IPluginCore* plug, int width, int height, std::string imageFolder);

  IPopupMenu* ShowPopupMenu(IPopupMenu* menu, IRectangle* rect) override;
  void PromptForFile(HeapString* file, int action, HeapString* folder,
                     const char* extensions) override;
  // The file of the image's name (its last path part) in the image folder.
  Raster_IBitmap* LoadImageResource(int id, const char* name) override;

  int menusShown = 0;
  IRectangle lastMenuRect{0, 0, 0, 0};
  int lastFileAction = -1;
  std::string lastFileFolder;
  int imagesFound = 0;

 private:
  std::string imageFolder;
};

// Every instrument made from now on gets a NativeEditorGraphics drawing images from
// imageFolder. Creating thread.
void UseNativeEditors(const std::string& imageFolder);
// The editor the maker made last (owned by its instrument), or null.
NativeEditorGraphics* LastNativeEditor();
