#pragma once

#include <vector>

#include "framework/plugin_core.h"

// A plug-in on the bare base: it records what the base calls and answers the host queries
// with fixed values.
class TestPlugin : public IPluginCore {
 public:
  using IPluginCore::IPluginCore;

  struct Edit {
    int idx;
    double normalized;
  };

  void BeginHostEdit(int) override {}
  void PerformHostEdit(int idx, double normalized) override { edits.push_back({idx, normalized}); }
  void EndHostEdit(int) override {}
  void NotifyHostPresetChange() override {}
  int GetSamplePosition() override { return 0; }
  double GetTempo() override { return tempo; }
  void GetTimeSignature(int*, int*) override {}
  void GetTimeInfo(ITransportInfo*) override {}
  void RequestGuiResize(int, int) override {}
  bool SendMidiMessage(const IMidiMessage* msg) override {
    sentMidi.push_back(*msg);
    return true;
  }
  void ParamChanged(int idx) override {
    IPluginCore::ParamChanged(idx);
    changed.push_back(idx);
  }
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override {
    blockLengths.push_back(nFrames);
    if (!renderRamp) {
      IPluginCore::ProcessBlock(inputs, outputs, nFrames);
      return;
    }
    // Output = running frame counter, so that pieces must join without gaps or repeats.
    for (int f = 0; f < nFrames; ++f, ++rampFrame) {
      for (int c = 0; c < NOutChannels(); ++c)
        outputs[c][f] = rampFrame + 1000.0 * c;
    }
  }

  // Exposes the binding-side helpers to the tests.
  using IPluginCore::CreateLatencyDelay;
  void AddPresetSlot(const char* name) { presets.Add(new IPresetSlot(name)); }

  // Gives every parameter a range of [0, 100] with step 0.01.
  void DefineTestParams() {
    for (int i = 0; i < NParams(); ++i)
      GetParam(i)->DefineDouble("P", 0.0, 0.0, 100.0, 0.01);
  }

  double tempo = 120.0;
  bool renderRamp = false;
  double rampFrame = 0.0;
  std::vector<int> changed;
  std::vector<int> blockLengths;
  std::vector<Edit> edits;
  std::vector<IMidiMessage> sentMidi;
};

// An editor that records what the base pushes to it.
class FakeEditor : public IGraphicsLink {
 public:
  struct Push {
    int idx;
    double value;
    bool normalized;
  };

  explicit FakeEditor(bool* deleted = nullptr) : deletedFlag(deleted) {}
  ~FakeEditor() override {
    if (deletedFlag) *deletedFlag = true;
  }
  IGraphics* GetGraphics() override { return nullptr; }
  void PushParamToControls(int paramIdx, double value, bool normalized) override {
    pushes.push_back({paramIdx, value, normalized});
  }
  void PrepareBackBuffer() override { backBufferAfterPushes = pushes.size(); }
  void ApplyPendingUpdates() override { appliedAfterPushes = pushes.size(); }

  std::vector<Push> pushes;
  size_t backBufferAfterPushes = 0;
  size_t appliedAfterPushes = 0;
  bool* deletedFlag;
};
