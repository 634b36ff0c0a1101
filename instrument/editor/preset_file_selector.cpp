#include "instrument/editor/preset_file_selector.h"

#include "instrument/editor_state.h"

IFileSelectorControl_PresetFile::IFileSelectorControl_PresetFile(
    IPluginCore* plug, const IRectangle* rect, int paramIdx, const IBitmapStrip& strip, int action,
    const char* folder, EditorState* editorState, PresetFileSelector which)
    : IFileSelectorControl(plug, rect, paramIdx, strip, action, folder),
      state(editorState),
      selector(which) {}

void IFileSelectorControl_PresetFile::FileDialogDone() {
  if (state) state->CompleteFileDialog(selector, GetFile());
}
