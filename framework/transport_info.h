#pragma once

#include <cstdint>

// The host's transport as the bindings read it. The defaults are what a caller sees for the
// fields the host did not supply.
struct ITransportInfo {
  double tempo = 120.0;               // beats per minute
  double samplePosition = 0.0;        // frames from the start of the song
  double ppqPosition = 0.0;           // quarter notes from the start of the song
  double lastBarStartPosition = 0.0;  // quarter notes
  double cycleStartPosition = 0.0;    // quarter notes
  double cycleEndPosition = 0.0;      // quarter notes
  int32_t numerator = 4;
  int32_t denominator = 4;
  bool transportIsRunning = false;
  bool transportLoopEnabled = false;
};
