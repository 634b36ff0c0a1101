#include "engine/voice_paths.h"

#include <atomic>

#include "engine/voice.h"

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

VoiceRenderer ChooseVoiceRenderer() {
  const VoicePath path = forcedPath.load();
  const bool wide = path != VoicePath::Baseline && WidePathAvailable();
  return wide ? &Wide::RenderVoices : &Baseline::RenderVoices;
}

}  // namespace Engine
