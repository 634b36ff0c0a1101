// The instrument's descriptor and identity as a host reads them, through VSTPluginMain.
#include <gtest/gtest.h>

#include <cstring>

#include "test_plugin.h"

namespace {

constexpr int32_t FourChars(const char (&code)[5]) {
  return (code[0] << 24) | (code[1] << 16) | (code[2] << 8) | code[3];
}

class TovaluneDescriptor : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Create(TovaluneEntry())); }
  Vst2TestHost host;
};

}  // namespace

TEST_F(TovaluneDescriptor, HoldsTheInstrumentsIdentityAndEntries) {
  EXPECT_EQ(host.Int32At(Field::kMagic), FourChars("VstP"));
  EXPECT_EQ(host.Int32At(Field::kNumPrograms), 1);
  EXPECT_EQ(host.Int32At(Field::kNumParams), 195);
  EXPECT_EQ(host.Int32At(Field::kNumInputs), 2);
  EXPECT_EQ(host.Int32At(Field::kNumOutputs), 2);
  EXPECT_EQ(host.Int32At(Field::kInitialDelay), 0);
  EXPECT_EQ(host.FloatAt(Field::kIoRatio), 1.0f);
  EXPECT_EQ(host.Int32At(Field::kUniqueId), FourChars("Vad2"));
  EXPECT_EQ(host.Int32At(Field::kVersion), 10100);
  EXPECT_NE(host.PointerAt(Field::kObject), nullptr);
  for (int entry : {Field::kDispatcher, Field::kProcess, Field::kSetParameter, Field::kGetParameter,
                    Field::kProcessReplacing, Field::kProcessDoubleReplacing})
    EXPECT_NE(host.PointerAt(entry), nullptr) << entry;
  // Replacing, double replacing, synth; the editor flag exactly when there is an editor.
  const int32_t flags = host.Int32At(Field::kFlags);
  EXPECT_EQ(flags & ~1, 0x1110);
  void* rect = nullptr;
  EXPECT_EQ(flags & 1, host.Dispatch(Op::kEditGetRect, 0, 0, &rect));
}

TEST_F(TovaluneDescriptor, AnswersTheIdentityOpcodes) {
  const struct {
    int32_t opcode;
    intptr_t answer;
  } table[] = {{Op::kIdentify, FourChars("NvEf")},
               {Op::kGetVstVersion, 2400},
               {Op::kGetPlugCategory, 2},
               {Op::kGetVendorVersion, 10100},
               {Op::kGetTailSize, 0},
               {Op::kGetProgram, 0},
               {70, 0},
               {1000, 0},
               {-1, 0}};
  for (const auto& row : table)
    EXPECT_EQ(host.Dispatch(row.opcode), row.answer) << row.opcode;

  const struct {
    int32_t opcode;
    int capacity;
    const char* text;
  } names[] = {{Op::kGetEffectName, 32, "Tovalune"},
               {Op::kGetVendorString, 64, "VornAudio"},
               {Op::kGetProductString, 64, ""}};
  for (const auto& row : names) {
    bool intact = false;
    intptr_t result = 0;
    EXPECT_EQ(host.Text(row.opcode, 0, row.capacity, &intact, 0, 0.0f, &result), row.text);
    EXPECT_TRUE(intact);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(host.Dispatch(row.opcode), 0) << "no buffer";
  }
}
