#include "tests/engine/render_helper.h"

#include <algorithm>
#include <cmath>

namespace EngineTest {

EngineFixture::EngineFixture(double sampleRate) : engine_(SynthEngine::Create(sampleRate)) {}

EngineFixture::~EngineFixture() {
  SynthEngine::Destroy(engine_);
}

void EngineFixture::Set(std::initializer_list<std::pair<int, double>> values) {
  for (const auto& [index, value] : values)
    Set(index, value);
}

void EngineFixture::NoteOn(int voice, double note, double velocity) {
  using namespace EngineParam;
  Set(VoiceParam(voice, NoteNumber), note);
  Set(VoiceParam(voice, NoteVelocity), velocity);
  Set(VoiceParam(voice, NoteGate), 1.0);
}

void EngineFixture::NoteOff(int voice) {
  Set(EngineParam::VoiceParam(voice, EngineParam::NoteGate), 0.0);
}

int32_t EngineFixture::Render(int32_t frames, Stereo& into, int32_t blockSize) {
  std::vector<double> left(blockSize), right(blockSize), inLeft(blockSize), inRight(blockSize);
  double* inputs[2] = {inLeft.data(), inRight.data()};
  double* outputs[2] = {left.data(), right.data()};
  int32_t result = 0;
  for (int32_t done = 0; done < frames; done += blockSize) {
    const int32_t n = std::min(blockSize, frames - done);
    result = SynthEngine::Perform(engine_, inputs, 2, outputs, 2, n);
    into.left.insert(into.left.end(), left.begin(), left.begin() + n);
    into.right.insert(into.right.end(), right.begin(), right.begin() + n);
  }
  return result;
}

Stereo EngineFixture::Render(int32_t frames, int32_t blockSize) {
  Stereo out;
  Render(frames, out, blockSize);
  return out;
}

namespace {

double Correlation(const std::vector<double>& x, size_t begin, size_t end, size_t lag) {
  double sum = 0.0, energyA = 0.0, energyB = 0.0;
  for (size_t i = begin; i + lag < end; ++i) {
    sum += x[i] * x[i + lag];
    energyA += x[i] * x[i];
    energyB += x[i + lag] * x[i + lag];
  }
  const double norm = std::sqrt(energyA * energyB);
  return norm > 0 ? sum / norm : 0.0;
}

// Lag of the correlation peak near `around`, refined by a parabola through three lags.
double PeakLag(const std::vector<double>& x, size_t begin, size_t end, size_t around,
               size_t reach) {
  size_t best = around;
  double bestValue = -2.0;
  for (size_t lag = around > reach ? around - reach : 1; lag <= around + reach; ++lag) {
    const double c = Correlation(x, begin, end, lag);
    if (c > bestValue) {
      bestValue = c;
      best = lag;
    }
  }
  const double left = Correlation(x, begin, end, best - 1);
  const double right = Correlation(x, begin, end, best + 1);
  const double curvature = left - 2 * bestValue + right;
  return curvature < 0 ? best + 0.5 * (left - right) / curvature : static_cast<double>(best);
}

}  // namespace

double PitchFrequency(const std::vector<double>& signal, double sampleRate, size_t begin,
                      size_t end) {
  end = std::min(end, signal.size());
  const size_t minLag = static_cast<size_t>(sampleRate / 4000);
  const size_t maxLag = static_cast<size_t>(sampleRate / 20);
  if (end < begin + 2 * maxLag) return 0.0;
  const size_t window = begin + 2 * maxLag;
  std::vector<double> correlation(maxLag + 1, 0.0);
  double best = 0.0;
  for (size_t lag = minLag; lag <= maxLag; ++lag) {
    correlation[lag] = Correlation(signal, begin, window, lag);
    best = std::max(best, correlation[lag]);
  }
  size_t period = 0;
  for (size_t lag = minLag + 1; lag < maxLag; ++lag) {
    const double c = correlation[lag];
    if (c >= 0.9 * best && c >= correlation[lag - 1] && c >= correlation[lag + 1]) {
      period = lag;
      break;
    }
  }
  if (period == 0) return 0.0;
  // Refine over more and more whole periods, each step searching close to the last estimate.
  double estimate = PeakLag(signal, begin, end, period, 1);
  const size_t maxPeriods = std::max<size_t>(1, (end - begin) / 2 / period);
  for (size_t periods = 8; periods < maxPeriods * 8; periods *= 8) {
    const size_t m = std::min(periods, maxPeriods);
    const size_t around = static_cast<size_t>(std::lround(estimate * static_cast<double>(m)));
    estimate = PeakLag(signal, begin, end, around, 3) / static_cast<double>(m);
    if (m == maxPeriods) break;
  }
  return sampleRate / estimate;
}

double NotePitch(const std::vector<std::pair<int, double>>& settings, int voice, double note,
                 double sampleRate) {
  EngineFixture fx(sampleRate);
  fx.Set(EngineParam::NoiseLevel, 0.0);
  for (const auto& [index, value] : settings)
    fx.Set(index, value);
  fx.NoteOn(voice, note);
  const int32_t frames = static_cast<int32_t>(sampleRate);
  const Stereo out = fx.Render(frames);
  return PitchFrequency(out.left, sampleRate, frames / 4, frames);
}

long FirstAbove(const std::vector<double>& signal, double threshold, size_t from) {
  for (size_t i = from; i < signal.size(); ++i) {
    if (std::fabs(signal[i]) > threshold) return static_cast<long>(i);
  }
  return -1;
}

double PeakBetween(const std::vector<double>& signal, size_t begin, size_t end) {
  double peak = 0.0;
  for (size_t i = begin; i < std::min(end, signal.size()); ++i) {
    peak = std::max(peak, std::fabs(signal[i]));
  }
  return peak;
}

double Rms(const std::vector<double>& signal, size_t begin, size_t end) {
  end = std::min(end, signal.size());
  if (end <= begin) return 0.0;
  double sum = 0.0;
  for (size_t i = begin; i < end; ++i)
    sum += signal[i] * signal[i];
  return std::sqrt(sum / static_cast<double>(end - begin));
}

std::vector<long> Onsets(const std::vector<double>& signal, double threshold, size_t minGap) {
  std::vector<long> onsets;
  size_t quiet = minGap;
  for (size_t i = 0; i < signal.size(); ++i) {
    if (std::fabs(signal[i]) > threshold) {
      if (quiet >= minGap) onsets.push_back(static_cast<long>(i));
      quiet = 0;
    } else {
      ++quiet;
    }
  }
  return onsets;
}

}  // namespace EngineTest
