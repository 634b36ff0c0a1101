// The instrument's entries as the binding linked in provides them.
#include "vst2/tovalune_vst2.h"
#include "vst2_test_host.h"

bool OpenTovaluneEntries(TovaluneEntries* entries) {
  entries->pluginMain = entries->legacyMain = reinterpret_cast<Vst2Entry>(&VSTPluginMain);
  return true;
}

void CloseTovaluneEntries(TovaluneEntries* entries) {
  *entries = TovaluneEntries();
}
