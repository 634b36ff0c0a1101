#include "vst3/speaker_arrangement.h"

namespace Steinberg {
namespace Vst {

SpeakerArrangement SpeakerArrangementForChannels(int channels) {
  switch (channels) {
    case 1:
      return 0x80000;
    case 2:
      return 0x3;
    case 3:
      return 0x103;
    case 4:
      return 0xF00000;
    case 5:
      return 0x37;
    case 6:
      return 0x3F;
    default:
      return 0;
  }
}

int ChannelCountOf(SpeakerArrangement arrangement) {
  int count = 0;
  for (; arrangement != 0; arrangement &= arrangement - 1)
    ++count;
  return count;
}

}  // namespace Vst
}  // namespace Steinberg
