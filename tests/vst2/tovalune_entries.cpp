// The instrument's entries as the binding linked in provides them. Its instances get the whole
// editor, drawn into memory with the double-scale images of the build tree, as the library's
// instances get theirs on Windows.
#include "native_editor_graphics.h"
#include "vst2/tovalune_vst2.h"
#include "vst2_test_host.h"

bool OpenTovaluneEntries(TovaluneEntries* entries) {
  UseNativeEditors(TOVALUNE_EDITOR_IMAGES);
  entries->pluginMain = entries->legacyMain = reinterpret_cast<Vst2Entry>(&VSTPluginMain);
  return true;
}

void CloseTovaluneEntries(TovaluneEntries* entries) {
  *entries = TovaluneEntries();
}
