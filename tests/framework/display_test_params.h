// Parameters with every kind of display, for the bindings' test plug-ins: 0 "Level", 0..100 shown
// with one decimal and the label "%"; 1 "Cutoff", 20..20000 Hz on a square curve with a negated
// display; 2 "Mode", 0..3 with the display text "Second" for 1; the rest "P<i>", 0..1 at 0.25.
#pragma once

#include <cstdio>

#include "framework/plugin_core.h"

inline void DefineDisplayTestParams(IPluginCore* plug) {
  plug->GetParam(0)->DefineDouble("Level", 50.0, 0.0, 100.0, 0.1, "%", 1.0);
  plug->GetParam(1)->DefineDouble("Cutoff", 1000.0, 20.0, 20000.0, 1.0, "Hz", 2.0);
  plug->GetParam(1)->SetNegateDisplay(true);
  plug->GetParam(2)->DefineDouble("Mode", 0.0, 0.0, 3.0, 1.0, "", 1.0);
  plug->GetParam(2)->SetDisplayText(1, "Second");
  for (int i = 3; i < plug->NParams(); ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%d", i);
    plug->GetParam(i)->DefineDouble(name, 0.25, 0.0, 1.0, 0.00001, "", 1.0);
  }
}
