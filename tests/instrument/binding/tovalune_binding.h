// The instrument's base class in the test build: the plug-in core with the host side answered
// by the test (a settable tempo, recorded host edits, MIDI output dropped).
#pragma once

#include <vector>

#include "framework/plugin_core.h"

class TestBinding : public IPluginCore {
 public:
  struct HostEdit {
    enum Kind { kBegin, kPerform, kEnd } kind;
    int idx;
    double normalized;
  };

  TestBinding() : IPluginCore(kApiVST3) { SetSampleRate(constructionSampleRate); }

  void BeginHostEdit(int idx) override { hostEdits.push_back({HostEdit::kBegin, idx, 0.0}); }
  void PerformHostEdit(int idx, double normalized) override {
    hostEdits.push_back({HostEdit::kPerform, idx, normalized});
  }
  void EndHostEdit(int idx) override { hostEdits.push_back({HostEdit::kEnd, idx, 0.0}); }
  int GetApiId() override { return api; }
  void NotifyHostPresetChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return tempo; }
  void GetTimeSignature(int* numerator, int* denominator) override {
    if (numerator) *numerator = 4;
    if (denominator) *denominator = 4;
  }
  void GetTimeInfo(ITransportInfo* info) override {
    if (info) info->tempo = tempo;
  }
  void RequestGuiResize(int, int) override {}
  bool SendMidiMessage(const IMidiMessage*) override { return false; }

  // The sample rate new instances start with (a test may pick one the engine refuses).
  static inline double constructionSampleRate = 44100.0;

  double tempo = 120.0;
  int api = kApiVST3;
  std::vector<HostEdit> hostEdits;
};

using TovaluneBinding = TestBinding;

// The editor's images come from the test program itself (a null module handle).
inline void* TovaluneModuleHandle() {
  return nullptr;
}
