// The instrument through both entry names: the descriptor at its offsets, two instances, a note
// played in float and double, and a chunk round trip. The Windows library tests run it on the
// library file.
#include <gtest/gtest.h>

#include <cmath>

#include "vst2_test_host.h"

namespace {

class TovaluneLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenTovaluneEntries(&library));
    ASSERT_TRUE(host.Create(library.pluginMain));
    host.Start();
  }
  void TearDown() override {
    host.Close();
    CloseTovaluneEntries(&library);
  }
  TovaluneEntries library;
  Vst2TestHost host;
};

// The loudest sample of 40 blocks of 512 frames through one audio entry, with note 60 starting
// in the fifth.
template <class Sample>
double PlayNote(Vst2TestHost& host, int entry) {
  TestChannels<Sample> in(512), out(512);
  double peak = 0.0;
  for (int block = 0; block < 40; ++block) {
    if (block == 4) {
      EXPECT_EQ(peak, 0.0) << "silence before the note";
      EventList note;
      note.Add(1, 0, 0x90, 60, 100);
      host.Dispatch(Op::kProcessEvents, 0, 0, note.Data(1));
    }
    host.Process(entry, in.pointers, out.pointers, 512);
    for (const auto& channel : out.data) {
      for (Sample sample : channel)
        peak = std::max(peak, std::fabs(static_cast<double>(sample)));
    }
  }
  return peak;
}

}  // namespace

TEST_F(TovaluneLibrary, BothEntriesGiveTheDescriptorOfTheirOwnInstance) {
  Vst2TestHost second;
  ASSERT_TRUE(second.Create(library.legacyMain));
  EXPECT_NE(host.effect, second.effect);
  const std::pair<int, int32_t> fields[] = {{Field::kMagic, 0x56737450 /* 'VstP' */},
                                            {Field::kNumPrograms, 1},
                                            {Field::kNumParams, 195},
                                            {Field::kNumInputs, 2},
                                            {Field::kNumOutputs, 2},
                                            {Field::kInitialDelay, 0},
                                            {Field::kUniqueId, 0x56616432 /* 'Vad2' */},
                                            {Field::kVersion, 10100}};
  for (Vst2TestHost* each : {&host, &second}) {
    for (const auto& [offset, value] : fields)
      EXPECT_EQ(each->At<int32_t>(offset), value) << offset;
    EXPECT_EQ(each->At<float>(Field::kIoRatio), 1.0f);
    // Replacing, double replacing, synth; the editor flag exactly when there is an editor.
    void* rect = nullptr;
    const int32_t flags = each->At<int32_t>(Field::kFlags);
    EXPECT_EQ(flags & ~1, 0x1110);
    EXPECT_EQ(flags & 1, each->Dispatch(Op::kEditGetRect, 0, 0, &rect));
  }
  second.Start();
  host.SetParameter(92, 0.25f);
  EXPECT_EQ(host.GetParameter(92), 0.25f);
  EXPECT_NE(second.GetParameter(92), 0.25f) << "instances share no parameters";
}

TEST_F(TovaluneLibrary, RoundTripsAProgramChunkAndPlaysANoteInFloatAndDouble) {
  const std::vector<uint8_t> saved = host.GetChunk(1);
  ASSERT_EQ(saved.size(), 1568u);
  host.SetParameter(92, 0.05f);
  EXPECT_NE(host.GetChunk(1), saved);
  EXPECT_EQ(host.SetChunk(1, saved), 1);
  EXPECT_EQ(host.GetChunk(1), saved);
  EXPECT_GT(PlayNote<float>(host, Field::kProcessReplacing), 0.01);
  host.Dispatch(Op::kMainsChanged, 0, 0);  // processing off resets the voices
  host.Dispatch(Op::kMainsChanged, 0, 1);
  EXPECT_GT(PlayNote<double>(host, Field::kProcessDoubleReplacing), 0.01);
}
