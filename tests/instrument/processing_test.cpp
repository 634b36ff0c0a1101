// Block processing with whatever buffers the host hands over.
#include <cmath>

#include "instrument_fixture.h"

using namespace EngineParam;

namespace {

// Renders frames with the given input pointers; returns the peak of both outputs.
double RenderWith(Tovalune& synth, double** inputs, int frames, std::vector<double>* left) {
  left->assign(frames, 0.0);
  std::vector<double> right(frames, 0.0);
  double* outputs[2] = {left->data(), right.data()};
  synth.ProcessBlock(inputs, outputs, frames);
  double peak = 0.0;
  for (int i = 0; i < frames; ++i)
    peak = std::max({peak, std::fabs((*left)[i]), std::fabs(right[i])});
  return peak;
}

}  // namespace

TEST_F(InstrumentTest, ANoteSounds) {
  EXPECT_EQ(Render(512), 0.0);
  NoteOn(69, 127);
  double peak = 0.0;
  for (int block = 0; block < 8; ++block)
    peak = std::max(peak, Render(512));
  EXPECT_GT(peak, 0.01);
  EXPECT_LE(peak, 1.0);
}

TEST_F(InstrumentTest, MissingHostInputsStillRender) {
  NoteOn(69, 127);
  std::vector<double> left;
  double* noInputs[2] = {nullptr, nullptr};
  double peak = RenderWith(*synth, noInputs, 3000, &left);
  EXPECT_GT(peak, 0.01);
  // Pieces join: the tail beyond the stand-in's length is rendered too.
  double tail = 0.0;
  for (int i = 2048; i < 3000; ++i)
    tail = std::max(tail, std::fabs(left[i]));
  EXPECT_GT(tail, 0.0);
  peak = RenderWith(*synth, nullptr, 256, &left);
  EXPECT_GT(peak, 0.0);
  // The engine was never put into its error state.
  EXPECT_GT(Render(256), 0.0);
}

TEST_F(InstrumentTest, AMissingOutputGetsNothingAndTheOtherSilence) {
  NoteOn(69, 127);
  Render(512);
  std::vector<double> left(64, 5.0);
  double* outputs[2] = {left.data(), nullptr};
  synth->ProcessBlock(nullptr, outputs, 64);
  for (double sample : left)
    EXPECT_EQ(sample, 0.0);
  synth->ProcessBlock(nullptr, nullptr, 64);
  // Rendering goes on normally afterwards.
  EXPECT_GT(Render(512), 0.0);
}
