// A Tovalune instance on the test binding, with helpers that play MIDI, render blocks, set
// parameters the way hosts and controls do, and read back records and engine values.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_params.h"
#include "instrument/tovalune.h"

// An attached editor that records every value pushed to its controls.
class RecordingEditor : public IGraphicsLink {
 public:
  struct Push {
    int idx;
    double value;
    bool normalized;
  };

  IGraphics* GetGraphics() override { return nullptr; }
  void PushParamToControls(int paramIdx, double value, bool normalized) override {
    pushes.push_back({paramIdx, value, normalized});
  }
  void PrepareBackBuffer() override {}
  void ApplyPendingUpdates() override {}

  // The last value pushed for idx; false when none was.
  bool LastPush(int idx, Push* push) const;

  std::vector<Push> pushes;
};

class InstrumentTest : public ::testing::Test {
 protected:
  static constexpr int kBlock = 64;

  void SetUp() override;

  // The engine's current value of parameter idx.
  double EngineValue(int idx) const;
  // The parameter record's value.
  double Record(int idx) const;
  // Record := value (clamped), then ParamChanged, as a host or restore does.
  void Set(int idx, double value);
  // A user's control change: normalized value through the base's editor path.
  void SetFromEditor(int idx, double normalized);

  // Hands one MIDI message to the instrument (channel filter included).
  void Midi(uint8_t status, uint8_t data1, uint8_t data2, int32_t offset = 0);
  void NoteOn(int note, int velocity = 100) { Midi(0x90, note, velocity); }
  void NoteOff(int note) { Midi(0x80, note, 0); }
  void Controller(int controller, int value) { Midi(0xB0, controller, value); }
  // Renders one block (handles the queued MIDI); returns the peak of both outputs.
  double Render(int frames = kBlock);

  // Gate, note number, velocity and retrigger of voice v, as the engine holds them.
  double Gate(int v) const {
    return EngineValue(EngineParam::VoiceParam(v, EngineParam::NoteGate));
  }
  double Note(int v) const {
    return EngineValue(EngineParam::VoiceParam(v, EngineParam::NoteNumber));
  }
  double Velocity(int v) const {
    return EngineValue(EngineParam::VoiceParam(v, EngineParam::NoteVelocity));
  }
  double Retrig(int v) const {
    return EngineValue(EngineParam::VoiceParam(v, EngineParam::NoteRetrig));
  }

  std::unique_ptr<Tovalune> synth;
  RecordingEditor* gui = nullptr;  // owned by the instance
  std::vector<double> left, right;
};

// A fresh temporary folder that is removed with the object, and that the instance's common
// documents folder points at while it lives.
class TemporaryDocuments {
 public:
  TemporaryDocuments();
  ~TemporaryDocuments();

  const std::filesystem::path& Path() const { return root; }
  // The library file of preset n (n must name a library preset); its folders are created.
  std::filesystem::path LibraryFile(int n) const;

 private:
  std::filesystem::path root;
};

// Whole-file helpers for the tests.
std::string ReadText(const std::filesystem::path& path);
void WriteText(const std::filesystem::path& path, const std::string& text);
