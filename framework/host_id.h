#pragma once

#include <cstdint>

// The host applications the plug-in recognises by name.
enum IHostId : int32_t {
  kHostUninit = -1,  // not asked yet
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostProTools = 2,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostCakewalk = 5,
  kHostFruity = 7,
  kHostSamplitude = 8,
  kHostLive = 9,
  kHostMelodyne = 12,
  kHostVstManLib = 13,
  kHostAuLab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSawStudio = 20,
  kHostLogic = 21,
  kHostGarageBand = 22,
  kHostDigital = 23,
  kHostStandalone = 24,
  kHostAudioMulch = 25,
  kHostPresonus = 26,
  kHostVst3PluginTestHost = 27,
  kHostArdour = 28,
};

// The host id for a host application name: the name is lower-cased (ASCII letters) and searched
// for a fixed list of keys in a fixed order; the first key found decides. At most the first 255
// characters count. A null or empty name, or one without a key, gives kHostUnknown.
// Any thread; allocates nothing.
int32_t IdentifyHost(const char* name);
