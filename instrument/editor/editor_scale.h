// The editor's pixel scale, fixed for each deliverable when the instrument is compiled
// (tovalune_add_instrument's EDITOR_SCALE): 1 in the VST3 module, 2 in the VST2 library.
#pragma once

#include "instrument/editor/editor_images.h"

namespace EditorLayout {

constexpr int kEditorScale = TOVALUNE_EDITOR_SCALE;
static_assert(kEditorScale == kSingleScale || kEditorScale == kDoubleScale,
              "the editor is built at single or double scale");

constexpr int kFramesPerSecond = 25;

}  // namespace EditorLayout
