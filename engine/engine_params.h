// Index of every engine parameter. The order is the byte order of the names (upper case before
// lower case), so these values are fixed: stored states and preset files depend on them.
#pragma once

#include <cstdint>

namespace EngineParam {

constexpr int kCount = 195;

constexpr int ACSCmpDriftAmt = 0;
constexpr int ArpeggiatorBpmDivider = 1;
constexpr int ArpeggiatorMode = 2;
constexpr int Env1Attack = 3;
constexpr int Env1Decay = 4;
constexpr int Env1Release = 5;
constexpr int Env1RetrigOffOn = 6;
constexpr int Env1Sustain = 7;
constexpr int Env2Attack = 8;
constexpr int Env2Decay = 9;
constexpr int Env2Release = 10;
constexpr int Env2RetrigOffOn = 11;
constexpr int Env2Sustain = 12;
constexpr int EnvAmpAttack = 13;
constexpr int EnvAmpDecay = 14;
constexpr int EnvAmpRelease = 15;
constexpr int EnvAmpRetrigOffOn = 16;
constexpr int EnvAmpSustain = 17;
constexpr int FXSlot1BitcrushDistBitDepth = 18;
constexpr int FXSlot1BitcrushDistOffOn = 19;
constexpr int FXSlot1BitcrushDistPostGain = 20;
constexpr int FXSlot1BitcrushDistPreGain = 21;
constexpr int FXSlot1ChorusBandwidth = 22;
constexpr int FXSlot1ChorusCenter = 23;
constexpr int FXSlot1ChorusFeedback = 24;
constexpr int FXSlot1ChorusOffOn = 25;
constexpr int FXSlot1ChorusRate = 26;
constexpr int FXSlot1FlangerBandwidth = 27;
constexpr int FXSlot1FlangerCenter = 28;
constexpr int FXSlot1FlangerFeedback = 29;
constexpr int FXSlot1FlangerOffOn = 30;
constexpr int FXSlot1FlangerRate = 31;
constexpr int FXSlot1FoldbackDistOffOn = 32;
constexpr int FXSlot1FoldbackDistPostGain = 33;
constexpr int FXSlot1FoldbackDistPreGain = 34;
constexpr int FXSlot1FoldbackDistThreshold = 35;
constexpr int FXSlot1Selector = 36;
constexpr int FXSlot1TransistorDistLoad = 37;
constexpr int FXSlot1TransistorDistOffOn = 38;
constexpr int FXSlot1TransistorDistPostGain = 39;
constexpr int FXSlot1TransistorDistPreGain = 40;
constexpr int FXSlot1TubeDistLoad = 41;
constexpr int FXSlot1TubeDistOffOn = 42;
constexpr int FXSlot1TubeDistPostGain = 43;
constexpr int FXSlot1TubeDistPreGain = 44;
constexpr int FXSlot2DelayCutoff = 45;
constexpr int FXSlot2DelayDryWet = 46;
constexpr int FXSlot2DelayFeedback = 47;
constexpr int FXSlot2DelayOffOn = 48;
constexpr int FXSlot2DelayTimeDivL = 49;
constexpr int FXSlot2DelayTimeDivR = 50;
constexpr int FXSlot2ReverbDamp = 51;
constexpr int FXSlot2ReverbDryWet = 52;
constexpr int FXSlot2ReverbOffOn = 53;
constexpr int FXSlot2ReverbSize = 54;
constexpr int FXSlot2ReverbWidth = 55;
constexpr int FXSlot2Selector = 56;
constexpr int FilterHpCutoff = 57;
constexpr int FilterLpCutoff = 58;
constexpr int FilterLpKeyTrack = 59;
constexpr int FilterLpResonance = 60;
constexpr int GlobalTuning = 61;
constexpr int HostBarStartPulse = 62;
constexpr int HostTempoBpm = 63;
constexpr int HostTransportIsRunning = 64;
constexpr int Key036A = 65;
constexpr int Key037A = 66;
constexpr int Key038A = 67;
constexpr int Key039A = 68;
constexpr int Key040A = 69;
constexpr int Key041A = 70;
constexpr int Key042A = 71;
constexpr int Key043A = 72;
constexpr int Key044A = 73;
constexpr int Key045A = 74;
constexpr int Key046A = 75;
constexpr int Key047A = 76;
constexpr int Key048A = 77;
constexpr int Key049A = 78;
constexpr int Key050A = 79;
constexpr int Key051A = 80;
constexpr int Key052A = 81;
constexpr int Key053A = 82;
constexpr int Key054A = 83;
constexpr int Key055A = 84;
constexpr int Key056A = 85;
constexpr int Key057A = 86;
constexpr int Key058A = 87;
constexpr int Key059A = 88;
constexpr int Key060A = 89;
constexpr int Lfo1Rate = 90;
constexpr int Lfo2Rate = 91;
constexpr int MainVolume = 92;
constexpr int MidiChannelInput = 93;
constexpr int ModMatrixE1FC = 94;
constexpr int ModMatrixE1M1 = 95;
constexpr int ModMatrixE1M2 = 96;
constexpr int ModMatrixE1P1 = 97;
constexpr int ModMatrixE1P2 = 98;
constexpr int ModMatrixE1R1 = 99;
constexpr int ModMatrixE1R2 = 100;
constexpr int ModMatrixE2FC = 101;
constexpr int ModMatrixE2M1 = 102;
constexpr int ModMatrixE2M2 = 103;
constexpr int ModMatrixE2P1 = 104;
constexpr int ModMatrixE2P2 = 105;
constexpr int ModMatrixE2R1 = 106;
constexpr int ModMatrixE2R2 = 107;
constexpr int ModMatrixL1FC = 108;
constexpr int ModMatrixL1M1 = 109;
constexpr int ModMatrixL1M2 = 110;
constexpr int ModMatrixL1P1 = 111;
constexpr int ModMatrixL1P2 = 112;
constexpr int ModMatrixL2FC = 113;
constexpr int ModMatrixL2M1 = 114;
constexpr int ModMatrixL2M2 = 115;
constexpr int ModMatrixL2P1 = 116;
constexpr int ModMatrixL2P2 = 117;
constexpr int ModMatrixMWFC = 118;
constexpr int ModMatrixMWM1 = 119;
constexpr int ModMatrixMWM2 = 120;
constexpr int ModMatrixMWP1 = 121;
constexpr int ModMatrixMWP2 = 122;
constexpr int ModMatrixMWR1 = 123;
constexpr int ModMatrixMWR2 = 124;
constexpr int ModMatrixVLFC = 125;
constexpr int ModMatrixVLM1 = 126;
constexpr int ModMatrixVLM2 = 127;
constexpr int ModMatrixVLP1 = 128;
constexpr int ModMatrixVLP2 = 129;
constexpr int ModMatrixVLR1 = 130;
constexpr int ModMatrixVLR2 = 131;
constexpr int ModWheel = 132;
constexpr int NoiseLevel = 133;
constexpr int Osc1Level = 134;
constexpr int Osc1OvertonesCoeff = 135;
constexpr int Osc1OvertonesMath = 136;
constexpr int Osc1OvertonesMorph = 137;
constexpr int Osc1Pitch = 138;
constexpr int Osc2Level = 139;
constexpr int Osc2OvertonesCoeff = 140;
constexpr int Osc2OvertonesMath = 141;
constexpr int Osc2OvertonesMorph = 142;
constexpr int Osc2Pitch = 143;
constexpr int PitchBend = 144;
constexpr int PitchBendRngAmt = 145;
constexpr int PitchGlideAmt = 146;
constexpr int PresetBackward = 147;
constexpr int PresetForward = 148;
constexpr int PresetLoad = 149;
constexpr int PresetSave = 150;
constexpr int PresetSelector = 151;
constexpr int Voice00_MainTuning = 152;
constexpr int Voice00_NoteGate = 153;
constexpr int Voice00_NoteNumber = 154;
constexpr int Voice00_NoteRetrig = 155;
constexpr int Voice00_NoteVelocity = 156;
constexpr int Voice01_MainTuning = 157;
constexpr int Voice01_NoteGate = 158;
constexpr int Voice01_NoteNumber = 159;
constexpr int Voice01_NoteRetrig = 160;
constexpr int Voice01_NoteVelocity = 161;
constexpr int Voice02_MainTuning = 162;
constexpr int Voice02_NoteGate = 163;
constexpr int Voice02_NoteNumber = 164;
constexpr int Voice02_NoteRetrig = 165;
constexpr int Voice02_NoteVelocity = 166;
constexpr int Voice03_MainTuning = 167;
constexpr int Voice03_NoteGate = 168;
constexpr int Voice03_NoteNumber = 169;
constexpr int Voice03_NoteRetrig = 170;
constexpr int Voice03_NoteVelocity = 171;
constexpr int Voice04_MainTuning = 172;
constexpr int Voice04_NoteGate = 173;
constexpr int Voice04_NoteNumber = 174;
constexpr int Voice04_NoteRetrig = 175;
constexpr int Voice04_NoteVelocity = 176;
constexpr int Voice05_MainTuning = 177;
constexpr int Voice05_NoteGate = 178;
constexpr int Voice05_NoteNumber = 179;
constexpr int Voice05_NoteRetrig = 180;
constexpr int Voice05_NoteVelocity = 181;
constexpr int Voice06_MainTuning = 182;
constexpr int Voice06_NoteGate = 183;
constexpr int Voice06_NoteNumber = 184;
constexpr int Voice06_NoteRetrig = 185;
constexpr int Voice06_NoteVelocity = 186;
constexpr int Voice07_MainTuning = 187;
constexpr int Voice07_NoteGate = 188;
constexpr int Voice07_NoteNumber = 189;
constexpr int Voice07_NoteRetrig = 190;
constexpr int Voice07_NoteVelocity = 191;
constexpr int VoiceModeMonoUniPoly = 192;
constexpr int VoiceSpreadAmt = 193;
constexpr int zInitParams = 194;

// Per-voice family: voice v (0..7), field k (VoiceField) lives at 152 + 5 v + k.
enum VoiceField : int {
  MainTuning = 0,
  NoteGate = 1,
  NoteNumber = 2,
  NoteRetrig = 3,
  NoteVelocity = 4,
};
constexpr int kVoiceFamilyFirst = Voice00_MainTuning;
constexpr int kVoiceFieldCount = 5;
constexpr int kVoiceFamilyCount = 8;

// Any thread, no allocation.
constexpr int VoiceParam(int voice, int field) {
  return kVoiceFamilyFirst + kVoiceFieldCount * voice + field;
}

// The voice mode that a VoiceModeMonoUniPoly value stands for. Stored sounds hold 0, 0.5 or 1,
// but hosts show the parameter as a slider and controller 8 sets v / 127, so every value counts
// as the mode it lies nearest to. Any thread, no allocation.
enum class VoiceMode { Mono, Unison, Poly };
constexpr VoiceMode VoiceModeOf(double value) {
  return value < 0.25 ? VoiceMode::Mono : (value < 0.75 ? VoiceMode::Unison : VoiceMode::Poly);
}

static_assert(VoiceParam(0, MainTuning) == Voice00_MainTuning, "voice family start");
static_assert(VoiceParam(3, NoteVelocity) == Voice03_NoteVelocity, "voice family layout");
static_assert(VoiceParam(7, NoteVelocity) == Voice07_NoteVelocity, "voice family end");
static_assert(zInitParams == kCount - 1, "last parameter");

}  // namespace EngineParam
