// Block processing: messages at their frames, the host's sample rate, whatever buffers the host
// hands over.
#include <cmath>

#include "instrument_fixture.h"
#include "tests/engine/render_helper.h"

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

// Messages inside a block take effect at their own frames: the render equals one where the
// blocks are cut at those frames and every message arrives at the start of its piece.
TEST_F(InstrumentTest, MessagesSoundFromTheirOwnFrame) {
  struct Event {
    int32_t offset;
    uint8_t status, data1, data2;
  };
  // Two blocks of 512: at 0; a chord and a volume change at one offset; a note-on and note-off
  // pair inside the block; a note-on and note-off at one offset (in that order: no sound); the
  // last frame; past the block (waits, then sounds at frame 88 of the next block).
  const Event events[] = {{0, 0x90, 48, 100},  {200, 0x90, 60, 100}, {200, 0x90, 64, 90},
                          {200, 0xB0, 7, 100}, {300, 0x80, 60, 0},   {400, 0x90, 62, 100},
                          {400, 0x80, 62, 0},  {511, 0x90, 67, 100}, {600, 0x90, 72, 100}};
  const int32_t cuts[] = {0, 200, 300, 400, 511, 512, 600, 1024};
  auto poly = [](Tovalune& instrument) {
    instrument.SetBlockSize(512);
    instrument.Reset();
    instrument.GetParam(VoiceModeMonoUniPoly)->SetClamped(1.0);
    instrument.ParamChanged(VoiceModeMonoUniPoly);
  };
  poly(*synth);
  for (const Event& e : events)
    Midi(e.status, e.data1, e.data2, e.offset);
  std::vector<double> whole;
  for (int block = 0; block < 2; ++block) {
    Render(512);
    whole.insert(whole.end(), left.begin(), left.end());
    if (block == 0) {
      // The last frame's note is on; only the message past the block waits, moved 512 back.
      EXPECT_EQ(Note(1), 67.0);
      EXPECT_EQ(Gate(1), 1.0);
      ASSERT_EQ(synth->MidiQueue().Count(), 1);
      EXPECT_EQ(synth->MidiQueue().Front()->offset, 88);
    }
  }

  Tovalune cut;
  poly(cut);
  std::vector<double> pieces, piece;
  for (int k = 0; k + 1 < static_cast<int>(std::size(cuts)); ++k) {
    for (const Event& e : events) {
      const IMidiMessage msg(0, e.status, e.data1, e.data2);
      if (e.offset == cuts[k]) cut.ReceiveMidiMessage(&msg);
    }
    const int frames = cuts[k + 1] - cuts[k];
    RenderWith(cut, nullptr, frames, &piece);
    pieces.insert(pieces.end(), piece.begin(), piece.end());
  }
  EXPECT_EQ(whole, pieces);
}

TEST_F(InstrumentTest, NotesKeepTheirPitchAtTheHostsSampleRate) {
  synth->SetSampleRate(48000.0);
  synth->Reset();
  Set(Osc2Level, 0.0);
  Set(NoiseLevel, 0.0);
  NoteOn(69);
  std::vector<double> sound;
  for (int block = 0; block < 750; ++block) {
    Render();
    sound.insert(sound.end(), left.begin(), left.end());
  }
  EXPECT_NEAR(EngineTest::PitchFrequency(sound, 48000.0, 12000, sound.size()), 440.0, 0.5);
}

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
