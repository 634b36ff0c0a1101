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
}

// Index, name, range and default of a spread of rows, families included.
TEST_F(ParamTableTest, RowsNameRangeAndDefault) {
  struct Expected {
    int index;
    const char* name;
    double minimum, maximum, defaultValue;
  };
  const Expected rows[] = {
      {0, "ACSCmpDriftAmt", 0, 1, 0},
      {P::Env1Decay, "Env1Decay", 0, 1, 0.5},
      {P::Env1Sustain, "Env1Sustain", 0, 1, 1},
      {P::EnvAmpRelease, "EnvAmpRelease", 0, 1, 0.2},
      {36, "FXSlot1Selector", 1, 7, 1},
      {56, "FXSlot2Selector", 1, 3, 1},
      {57, "FilterHpCutoff", 0, 1, 0},  // "X" sorts before "i"
      {P::FilterLpCutoff, "FilterLpCutoff", 0, 1, 0.85},
      {P::FilterLpResonance, "FilterLpResonance", 0, 1, 0.2},
      {P::GlobalTuning, "GlobalTuning", -1, 1, 0},
      {63, "HostTempoBpm", 0, 1000, 120},
      {65, "Key036A", 0, 1, 0},
      {89, "Key060A", 0, 1, 0},
      {P::Lfo1Rate, "Lfo1Rate", 0, 1, 0.5},
      {P::MainVolume, "MainVolume", 0, 1, 0.8},
      {P::MidiChannelInput, "MidiChannelInput", 1, 16, 1},
      {94, "ModMatrixE1FC", 0, 1, 0.5},
      {P::ModMatrixE2P1, "ModMatrixE2P1", 0, 1, 0.5},
      {P::ModMatrixL2P2, "ModMatrixL2P2", 0, 1, 0.5},
      {P::ModMatrixMWR2, "ModMatrixMWR2", 0, 1, 0},
      {131, "ModMatrixVLR2", 0, 1, 0.5},
      {P::ModWheel, "ModWheel", 0, 1, 0},
      {P::NoiseLevel, "NoiseLevel", 0, 1, 0.2},
      {P::PitchBend, "PitchBend", -1, 1, 0},
      {P::PitchBendRngAmt, "PitchBendRngAmt", 0, 1, 1},
      {151, "PresetSelector", -1, 10000, 0},
      {152, "Voice00_MainTuning", -1, 1, 0},
      {P::VoiceParam(2, P::NoteGate), "Voice02_NoteGate", 0, 1, 0},
      {P::VoiceParam(5, P::NoteRetrig), "Voice05_NoteRetrig", 0, 1, 0},
      {P::VoiceParam(6, P::NoteNumber), "Voice06_NoteNumber", 0, 127, 64},
      {171, "Voice03_NoteVelocity", 0, 127, 64},
      {191, "Voice07_NoteVelocity", 0, 127, 64},
      {P::VoiceModeMonoUniPoly, "VoiceModeMonoUniPoly", 0, 1, 0},
      {194, "zInitParams", 0, 1, 0},
  };
  for (const Expected& e : rows) {
    SCOPED_TRACE(e.name);
    EXPECT_STREQ(Row(e.index).name, e.name);
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
