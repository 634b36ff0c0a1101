// Test-side rendering and measurement: drives an engine through its public interface and
// measures pitch, onsets and levels of what it renders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "engine/engine_params.h"
#include "engine/synth_engine.h"

namespace EngineTest {

struct Stereo {
  std::vector<double> left;
  std::vector<double> right;
};

// Owns one engine for the length of a test.
class EngineFixture {
 public:
  explicit EngineFixture(double sampleRate = 44100.0);
  ~EngineFixture();
  EngineFixture(const EngineFixture&) = delete;
  EngineFixture& operator=(const EngineFixture&) = delete;

  SynthEngineState* engine() const { return engine_; }
  void Set(int index, double value) { SynthEngine::SetParameter(engine_, index, value); }
  void Set(std::initializer_list<std::pair<int, double>> values);
  // Gate on voice v with a note and velocity.
  void NoteOn(int voice, double note, double velocity = 100.0);
  void NoteOff(int voice);
  // Renders frames samples in blocks of blockSize and appends them to `into`.
  int32_t Render(int32_t frames, Stereo& into, int32_t blockSize = 256);
  Stereo Render(int32_t frames, int32_t blockSize = 256);

 private:
  SynthEngineState* engine_;
};

// Fundamental frequency (between 20 Hz and 4 kHz) of the signal between begin and end, from its
// autocorrelation: the shortest lag that correlates nearly as well as the best one, refined over
// many periods.
double PitchFrequency(const std::vector<double>& signal, double sampleRate, size_t begin,
                      size_t end);
// Pitch of one note on `voice` with the given settings (noise off), measured over the last three
// quarters of one second of sound.
double NotePitch(const std::vector<std::pair<int, double>>& settings, int voice, double note,
                 double sampleRate = 44100.0);

// Index of the first sample whose magnitude exceeds threshold at or after from, or -1.
long FirstAbove(const std::vector<double>& signal, double threshold, size_t from = 0);
// Largest magnitude between begin and end.
double PeakBetween(const std::vector<double>& signal, size_t begin, size_t end);
double Rms(const std::vector<double>& signal, size_t begin, size_t end);
// Onsets: sample indices where the smoothed envelope first rises above threshold after having
// been below it for at least minGap samples.
std::vector<long> Onsets(const std::vector<double>& signal, double threshold, size_t minGap);

}  // namespace EngineTest
