// The instrument through both entry names: two instances, a note played in float and double, and
// a chunk round trip. The Windows library tests run it on the library file.
#include <gtest/gtest.h>

#include <algorithm>

#include "tovalune_entries.h"

namespace {

class TovaluneLibrary : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenTovaluneEntries(&library)); }
  void TearDown() override { CloseTovaluneEntries(&library); }
  TovaluneEntries library;
};

// The loudest sample of 40 blocks of 512 frames, with note 60 starting in the fifth.
template <class Sample, class Process>
double PlayNote(Vst2TestHost& host, Process process) {
  TestChannels<Sample> in(2, 512), out(2, 512);
  double peak = 0.0;
  for (int block = 0; block < 40; ++block) {
    if (block == 4) {
      EXPECT_EQ(peak, 0.0) << "silence before the note";
      EventList note;
      note.AddMidi(0, 0x90, 60, 100);
      host.Dispatch(Op::kProcessEvents, 0, 0, note.Data());
    }
    (host.*process)(in.Pointers(), out.Pointers(), 512);
    peak = std::max({peak, out.Peak(0), out.Peak(1)});
  }
  return peak;
}

}  // namespace

TEST_F(TovaluneLibrary, BothEntriesCreateEquivalentInstances) {
  Vst2TestHost first, second;
  ASSERT_TRUE(first.Create(library.pluginMain));
  ASSERT_TRUE(second.Create(library.legacyMain));
  EXPECT_NE(first.effect, second.effect);
  for (int field : {Field::kMagic, Field::kNumPrograms, Field::kNumParams, Field::kNumInputs,
                    Field::kNumOutputs, Field::kFlags, Field::kUniqueId, Field::kVersion})
    EXPECT_EQ(first.Int32At(field), second.Int32At(field)) << field;
  EXPECT_EQ(first.Int32At(Field::kNumParams), 195);
  first.Start();
  second.Start();
  first.SetParameter(92, 0.25f);
  EXPECT_EQ(first.GetParameter(92), 0.25f);
  EXPECT_NE(second.GetParameter(92), 0.25f);
}

TEST_F(TovaluneLibrary, PlaysANoteInFloatAndDouble) {
  Vst2TestHost host;
  ASSERT_TRUE(host.Create(library.pluginMain));
  host.Start();
  EXPECT_GT(PlayNote<float>(host, &Vst2TestHost::ProcessReplacing), 0.01);
  host.Dispatch(Op::kMainsChanged, 0, 0);  // processing off resets the voices
  host.Dispatch(Op::kMainsChanged, 0, 1);
  EXPECT_GT(PlayNote<double>(host, &Vst2TestHost::ProcessDouble), 0.01);
}

TEST_F(TovaluneLibrary, RoundTripsAProgramChunk) {
  Vst2TestHost host;
  ASSERT_TRUE(host.Create(library.pluginMain));
  host.Start();
  const std::vector<uint8_t> saved = host.GetChunk(1);
  ASSERT_EQ(saved.size(), 1568u);
  host.SetParameter(92, 0.05f);
  EXPECT_NE(host.GetChunk(1), saved);
  EXPECT_EQ(host.SetChunk(1, saved), 1);
  EXPECT_EQ(host.GetChunk(1), saved);
}
