// The overtone oscillator: a cosine quantised in steps of 1/64 plus the weighted differences
// between it and five sample-and-hold copies refreshed at integer multiples of its frequency.
#pragma once

#include "engine/engine_record.h"

namespace Engine {

struct OvertoneInputs {
  double pitch;              // pitch value in [0, 1]
  double morph;              // smoothed morph plus matrix modulation
  int set;                   // row of the overtone sets (OvertoneSet)
  double alternatingWeight;  // from the math control: 1 at 0, 0 from 0.5 on
  double averageWeight;      // from the math control: 0 up to 0.5, 1 at 1
};

// Row of the overtone sets chosen by the coefficient control. Any thread; no allocation.
int OvertoneSet(double coeff);

// One sample of one oscillator. Audio thread; no allocation.
double OvertoneOscStep(OvertoneOscState& osc, const OvertoneInputs& in, const double* cosineTable,
                       double sampleRate, double inverseSampleRate);

}  // namespace Engine
