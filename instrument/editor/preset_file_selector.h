// The load and save buttons' file selectors. A finished dialog hands its file to the
// instrument's editor state before the selector's value change reaches the plug-in, so the
// plug-in reads or writes only a file the user has just chosen.
#pragma once

#include "graphics/controls.h"
#include "instrument/editor_link.h"

class EditorState;

class IFileSelectorControl_PresetFile : public IFileSelectorControl {
 public:
  // action: IFileSelectorControl::kOpen or kSave; selector: which file of state it chooses.
  // Creating thread; allocates (texts).
  IFileSelectorControl_PresetFile(IPluginCore* plug, const IRectangle* rect, int paramIdx,
                                  const IBitmapStrip& strip, int action, const char* folder,
                                  EditorState* state, PresetFileSelector selector);

  // Window thread; allocates nothing.
  PresetFileSelector Selector() const { return selector; }

 protected:
  // Window thread; takes the instance lock; allocates nothing.
  void FileDialogDone() override;

 private:
  EditorState* state;
  PresetFileSelector selector;
};
