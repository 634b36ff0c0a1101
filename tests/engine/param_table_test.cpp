// The parameter table and the record header as callers read them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/engine_params.h"
#include "engine/synth_engine.h"

namespace {

namespace P = EngineParam;

class ParamTableTest : public ::testing::Test {
 protected:
  void SetUp() override { engine = SynthEngine::Create(48000.0); }
  void TearDown() override { SynthEngine::Destroy(engine); }
  const EngineParamInfo& Row(int index) const { return engine->paramInfo[index]; }
  SynthEngineState* engine = nullptr;
};

TEST_F(ParamTableTest, HeaderDescribesTwoInputsTwoOutputsAnd195Parameters) {
  ASSERT_NE(engine, nullptr);
  EXPECT_EQ(engine->sampleRate, 48000.0);
  EXPECT_EQ(engine->blockSize, 1024);
  EXPECT_EQ(engine->inputCount, 2);
  EXPECT_EQ(engine->outputCount, 2);
  EXPECT_STREQ(engine->inputNames[0], "in1");
  EXPECT_STREQ(engine->inputNames[1], "in2");
  EXPECT_STREQ(engine->outputNames[0], "audio_out_1");
  EXPECT_STREQ(engine->outputNames[1], "audio_out_2");
  EXPECT_EQ(engine->parameterCount, 195);
  EXPECT_EQ(P::kCount, 195);
}

TEST_F(ParamTableTest, NamesAreInByteOrder) {
  for (int i = 1; i < P::kCount; ++i) {
    EXPECT_LT(std::strcmp(Row(i - 1).name, Row(i).name), 0)
        << Row(i - 1).name << " " << Row(i).name;
  }
  EXPECT_STREQ(Row(P::FXSlot2Selector).name, "FXSlot2Selector");
  EXPECT_STREQ(Row(P::FilterHpCutoff).name, "FilterHpCutoff");
  EXPECT_EQ(P::FXSlot2Selector + 1, P::FilterHpCutoff);
  EXPECT_STREQ(Row(194).name, "zInitParams");
}

TEST_F(ParamTableTest, IndexConstantsNameTheirRows) {
  const std::pair<int, const char*> named[] = {
      {P::ACSCmpDriftAmt, "ACSCmpDriftAmt"},
      {P::FXSlot1Selector, "FXSlot1Selector"},
      {P::HostTempoBpm, "HostTempoBpm"},
      {P::Key036A, "Key036A"},
      {P::Key060A, "Key060A"},
      {P::Lfo1Rate, "Lfo1Rate"},
      {P::ModMatrixE1FC, "ModMatrixE1FC"},
      {P::ModMatrixL2P2, "ModMatrixL2P2"},
      {P::ModMatrixVLR2, "ModMatrixVLR2"},
      {P::ModWheel, "ModWheel"},
      {P::PresetSelector, "PresetSelector"},
      {P::Voice00_MainTuning, "Voice00_MainTuning"},
      {P::Voice03_NoteVelocity, "Voice03_NoteVelocity"},
      {P::Voice07_NoteVelocity, "Voice07_NoteVelocity"},
      {P::VoiceModeMonoUniPoly, "VoiceModeMonoUniPoly"},
  };
  for (const auto& [index, name] : named)
    EXPECT_STREQ(Row(index).name, name);
  EXPECT_EQ(P::Key036A, 65);
  EXPECT_EQ(P::ModMatrixE1FC, 94);
  EXPECT_EQ(P::Voice03_NoteVelocity, 171);
  EXPECT_EQ(P::VoiceParam(2, P::NoteGate), P::Voice02_NoteGate);
  EXPECT_EQ(P::VoiceParam(5, P::NoteRetrig), P::Voice05_NoteRetrig);
}

TEST_F(ParamTableTest, RangesAndDefaults) {
  struct Expected {
    int index;
    double minimum, maximum, defaultValue;
  };
  const Expected rows[] = {
      {P::Env1Decay, 0, 1, 0.5},
      {P::Env1Sustain, 0, 1, 1},
      {P::EnvAmpRelease, 0, 1, 0.2},
      {P::FXSlot1Selector, 1, 7, 1},
      {P::FXSlot2Selector, 1, 3, 1},
      {P::FilterLpCutoff, 0, 1, 0.85},
      {P::FilterLpResonance, 0, 1, 0.2},
      {P::GlobalTuning, -1, 1, 0},
      {P::HostTempoBpm, 0, 1000, 120},
      {P::MainVolume, 0, 1, 0.8},
      {P::MidiChannelInput, 1, 16, 1},
      {P::ModMatrixE2P1, 0, 1, 0.5},
      {P::ModMatrixMWR2, 0, 1, 0},
      {P::NoiseLevel, 0, 1, 0.2},
      {P::PitchBend, -1, 1, 0},
      {P::PitchBendRngAmt, 0, 1, 1},
      {P::PresetSelector, -1, 10000, 0},
      {P::Voice01_MainTuning, -1, 1, 0},
      {P::Voice06_NoteNumber, 0, 127, 64},
      {P::Voice02_NoteVelocity, 0, 127, 64},
  };
  for (const Expected& e : rows) {
    SCOPED_TRACE(Row(e.index).name);
    EXPECT_EQ(Row(e.index).minimum, e.minimum);
    EXPECT_EQ(Row(e.index).maximum, e.maximum);
    EXPECT_EQ(Row(e.index).defaultValue, e.defaultValue);
  }
}

TEST_F(ParamTableTest, RowsCarryTheFixedFields) {
  for (int i = 0; i < P::kCount; ++i) {
    const EngineParamInfo& row = Row(i);
    EXPECT_EQ(row.reserved, nullptr);
    EXPECT_EQ(row.flag0, 0);
    EXPECT_EQ(row.flag1, 1);
    EXPECT_EQ(row.normalizedLow, 0.0);
    EXPECT_EQ(row.normalizedHigh, 1.0);
    EXPECT_STREQ(row.units, "");
    EXPECT_EQ(row.type, 0);
    EXPECT_EQ(row.reservedValue, 0.0);
    EXPECT_GE(row.defaultValue, row.minimum);
    EXPECT_LE(row.defaultValue, row.maximum);
  }
}

TEST_F(ParamTableTest, MatrixDefaultsAreCentredExceptTheModWheelRow) {
  for (int i = P::ModMatrixE1FC; i <= P::ModMatrixVLR2; ++i) {
    const bool wheelRow = std::string(Row(i).name).rfind("ModMatrixMW", 0) == 0;
    EXPECT_EQ(Row(i).defaultValue, wheelRow ? 0.0 : 0.5) << Row(i).name;
  }
}

}  // namespace
