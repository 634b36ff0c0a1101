#include "framework/host_id.h"

#include <cstring>

namespace {

struct HostKey {
  const char* key;
  int32_t id;
};

// Searched in this order; the first key found decides (so "cubase" wins over "live", and
// "live" over "forte").
constexpr HostKey kHostKeys[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFruity},
    {"live", kHostLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVstManLib},
    {"aulab", kHostAuLab},
    {"garageband", kHostGarageBand},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSawStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigital},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostPresonus},
    {"vst3plugintesthost", kHostVst3PluginTestHost},
    {"protools", kHostProTools},
    {"ardour", kHostArdour},
    {"standalone", kHostStandalone},
};

constexpr int kMaxNameLength = 255;

}  // namespace

int32_t IdentifyHost(const char* name) {
  if (!name) return kHostUnknown;
  char lower[kMaxNameLength + 1];
  int length = 0;
  for (; length < kMaxNameLength && name[length] != '\0'; ++length) {
    const char c = name[length];
    lower[length] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  lower[length] = '\0';
  for (const HostKey& entry : kHostKeys) {
    if (std::strstr(lower, entry.key)) return entry.id;
  }
  return kHostUnknown;
}
