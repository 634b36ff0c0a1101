#include "engine/voice_paths.h"

#include <atomic>

#include "engine/voice.h"
#include "engine/waveshapes.h"

namespace Engine {
namespace {

std::atomic<VoicePath> forcedPath{VoicePath::Automatic};

}  // namespace

bool WidePathAvailable() {
  __builtin_cpu_init();
  // The run-time library also checks that the operating system saves the 256-bit registers.
  return __builtin_cpu_supports("avx2");
}

void ForceVoicePath(VoicePath path) {
  forcedPath.store(path);
}

LanePath ChooseLanePath() {
  const VoicePath path = forcedPath.load();
  if (path != VoicePath::Baseline && WidePathAvailable())
    return {&Wide::RenderVoices, &Wide::ShapePoints};
  return {&Baseline::RenderVoices, &Baseline::ShapePoints};
}

}  // namespace Engine
