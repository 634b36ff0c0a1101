// Speaker arrangements for the plug-in's channel counts. Any thread; no allocation.
#pragma once

#include "pluginterfaces/vst/vstspeaker.h"

namespace Steinberg {
namespace Vst {

// 1 mono, 2 left-right, 3 left-right-centre, 4 the four-channel layout, 5 and 6
// the 5.0 and 5.1 layouts; any other count gives the empty arrangement 0.
SpeakerArrangement SpeakerArrangementForChannels(int channels);

// The number of speakers (set bits) of an arrangement.
int ChannelCountOf(SpeakerArrangement arrangement);

}  // namespace Vst
}  // namespace Steinberg
