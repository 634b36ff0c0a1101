#include <gtest/gtest.h>

#include <cstring>

#include "framework/little_endian.h"
#include "tests/framework/test_plugin.h"

namespace {

class PresetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plugin.DefineTestParams();
    SetAll(10.0);
  }
  void SetAll(double v) {
    for (int i = 0; i < plugin.NParams(); ++i)
      plugin.GetParam(i)->SetClamped(v);
  }

  TestPlugin plugin;
};

TEST_F(PresetTest, InitPresetCapturesTheCurrentValues) {
  plugin.CreateInitPreset();
  const IPresetSlot* slot = plugin.GetPresetSlot(0);
  EXPECT_TRUE(slot->initialized);
  EXPECT_STREQ(slot->name, "Init");
  ASSERT_EQ(slot->state.Size(), 1560);
  EXPECT_DOUBLE_EQ(LittleEndian::LoadDouble(slot->state.Bytes()), 10.0);
  plugin.CreateInitPreset();  // every slot filled: nothing happens
  plugin.FillEmptyPresets(nullptr, 3);
  EXPECT_STREQ(plugin.GetPresetName(0), "Init");
}

TEST_F(PresetTest, LoadingASlotRestoresItsValues) {
  plugin.CreateInitPreset();
  SetAll(60.0);
  EXPECT_TRUE(plugin.LoadPresetSlot(0));
  EXPECT_DOUBLE_EQ(plugin.GetParam(100)->Value(), 10.0);
  EXPECT_EQ(plugin.changed.size(), 195u);
}

TEST_F(PresetTest, SlotsOutsideTheListAreRefused) {
  plugin.CreateInitPreset();
  EXPECT_FALSE(plugin.LoadPresetSlot(1));
  EXPECT_FALSE(plugin.LoadPresetSlot(-1));
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
  EXPECT_STREQ(plugin.GetPresetName(1), "");
}

TEST_F(PresetTest, AnEmptySlotBecomesAUserPresetOfTheCurrentSound) {
  auto* editor = new FakeEditor();
  plugin.AttachGui(editor);
  editor->pushes.clear();
  EXPECT_TRUE(plugin.LoadPresetSlot(0));
  const IPresetSlot* slot = plugin.GetPresetSlot(0);
  EXPECT_TRUE(slot->initialized);
  EXPECT_STREQ(slot->name, "user preset 1");
  EXPECT_EQ(slot->state.Size(), 1560);
  EXPECT_EQ(editor->pushes.size(), 195u);  // the editor is refreshed
}

TEST_F(PresetTest, ModifyingTheCurrentPresetStoresAndRenames) {
  plugin.CreateInitPreset();
  SetAll(33.0);
  EXPECT_TRUE(plugin.ModifyCurrentPreset("Bright"));
  EXPECT_STREQ(plugin.GetPresetName(0), "Bright");
  EXPECT_TRUE(plugin.ModifyCurrentPreset(""));
  EXPECT_STREQ(plugin.GetPresetName(0), "Bright");
  SetAll(0.0);
  plugin.LoadPresetSlot(0);
  EXPECT_DOUBLE_EQ(plugin.GetParam(0)->Value(), 33.0);
}

TEST_F(PresetTest, ABankHoldsNameFlagAndStatePerSlot) {
  plugin.CreateInitPreset();
  HeapBuffer bank;
  ASSERT_TRUE(plugin.SerializePresets(&bank));
  ASSERT_EQ(bank.Size(), 4 + 4 + 1 + 1560);
  const unsigned char start[] = {4, 0, 0, 0, 'I', 'n', 'i', 't', 1};
  EXPECT_EQ(std::memcmp(bank.Bytes(), start, sizeof start), 0);
  EXPECT_DOUBLE_EQ(LittleEndian::LoadDouble(bank.Bytes() + 9), 10.0);
}

TEST_F(PresetTest, ABankRoundTripsIntoSlotsAndLiveValues) {
  plugin.CreateInitPreset();
  HeapBuffer bank;
  bank.PutBytes("hdrhdrhd", 8);
  ASSERT_TRUE(plugin.SerializePresets(&bank));
  plugin.GetPresetSlot(0)->SetName("other");
  SetAll(70.0);
  plugin.ModifyCurrentPreset();
  EXPECT_EQ(plugin.UnserializePresets(&bank, 8), bank.Size());
  EXPECT_STREQ(plugin.GetPresetName(0), "Init");
  EXPECT_DOUBLE_EQ(plugin.GetParam(42)->Value(), 10.0);
}

TEST_F(PresetTest, ATruncatedBankChangesNothing) {
  plugin.CreateInitPreset();
  HeapBuffer bank;
  ASSERT_TRUE(plugin.SerializePresets(&bank));
  bank.Resize(bank.Size() - 1, false);
  plugin.GetPresetSlot(0)->SetName("kept");
  SetAll(70.0);
  EXPECT_EQ(plugin.UnserializePresets(&bank, 0), -1);
  EXPECT_STREQ(plugin.GetPresetName(0), "kept");
  EXPECT_DOUBLE_EQ(plugin.GetParam(0)->Value(), 70.0);
  EXPECT_TRUE(plugin.changed.empty());
  EXPECT_EQ(plugin.UnserializePresets(nullptr, 0), -1);
}

TEST_F(PresetTest, ANegativeNameLengthIsRefused) {
  HeapBuffer bank;
  const unsigned char bytes[] = {0xFC, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  bank.PutBytes(bytes, sizeof bytes);
  EXPECT_EQ(plugin.UnserializePresets(&bank, 0), -1);
  EXPECT_STREQ(plugin.GetPresetName(0), "empty");
}

TEST_F(PresetTest, AnEmptiedSlotCapturesAFreshStateOnLoad) {
  plugin.CreateInitPreset();
  // A bank whose only slot is not filled: the name is taken, the old state bytes stay behind.
  HeapBuffer bank;
  bank.PutString("Blank");
  const unsigned char notFilled = 0;
  bank.PutBytes(&notFilled, 1);
  SetAll(55.0);
  EXPECT_EQ(plugin.UnserializePresets(&bank, 0), bank.Size());
  const IPresetSlot* slot = plugin.GetPresetSlot(0);
  EXPECT_TRUE(slot->initialized);  // the closing load captured the current sound
  EXPECT_STREQ(slot->name, "user preset 1");
  ASSERT_EQ(slot->state.Size(), 1560);
  EXPECT_DOUBLE_EQ(LittleEndian::LoadDouble(slot->state.Bytes()), 55.0);
}

}  // namespace
