#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
  static double FirstStoredValue(const IPresetSlot* slot) {
    return LittleEndian::LoadDouble(slot->state.Bytes());
  }

  TestPlugin plugin;
};

TEST_F(PresetTest, LoadingASlotRestoresItsValuesAndRefreshesTheEditor) {
  plugin.CreateInitPreset();
  const IPresetSlot* slot = plugin.GetPresetSlot(0);
  EXPECT_STREQ(slot->name, "Init");
  ASSERT_EQ(slot->state.Size(), 1560);
  EXPECT_DOUBLE_EQ(FirstStoredValue(slot), 10.0);
  plugin.CreateInitPreset();  // every slot filled: nothing happens
  EXPECT_STREQ(plugin.GetPresetName(0), "Init");

  auto* editor = new FakeEditor();
  plugin.AttachGui(editor);
  editor->pushes.clear();
  SetAll(60.0);
  EXPECT_TRUE(plugin.LoadPresetSlot(0));
  EXPECT_DOUBLE_EQ(plugin.GetParam(100)->Value(), 10.0);
  EXPECT_EQ(plugin.changed.size(), 195u);
  EXPECT_EQ(editor->pushes.size(), 195u);

  EXPECT_FALSE(plugin.LoadPresetSlot(1));
  EXPECT_FALSE(plugin.LoadPresetSlot(-1));
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 0);
  EXPECT_STREQ(plugin.GetPresetName(1), "");
}

TEST_F(PresetTest, AnEmptySlotBecomesAUserPresetOfTheCurrentSound) {
  EXPECT_TRUE(plugin.LoadPresetSlot(0));
  EXPECT_TRUE(plugin.GetPresetSlot(0)->initialized);
  EXPECT_STREQ(plugin.GetPresetName(0), "user preset 1");
  EXPECT_DOUBLE_EQ(FirstStoredValue(plugin.GetPresetSlot(0)), 10.0);

  // The number counts every slot whose name holds "user preset", the loaded one included.
  plugin.AddPresetSlot("my user preset");
  plugin.AddPresetSlot("x");
  EXPECT_TRUE(plugin.LoadPresetSlot(2));
  EXPECT_STREQ(plugin.GetPresetName(2), "user preset 3");
  EXPECT_EQ(plugin.GetCurrentPresetIdx(), 2);
  EXPECT_TRUE(plugin.LoadPresetSlot(1));
  EXPECT_STREQ(plugin.GetPresetName(1), "user preset 4");
}

TEST_F(PresetTest, FillingAndModifyingStoreTheCurrentSound) {
  plugin.AddPresetSlot("b");
  plugin.AddPresetSlot("c");
  plugin.CreateInitPreset();
  plugin.FillEmptyPresets(nullptr, 1);
  EXPECT_STREQ(plugin.GetPresetName(0), "Init");
  EXPECT_STREQ(plugin.GetPresetName(1), "Empty");
  EXPECT_FALSE(plugin.GetPresetSlot(2)->initialized);

  SetAll(33.0);
  EXPECT_TRUE(plugin.ModifyCurrentPreset("Bright"));
  EXPECT_TRUE(plugin.ModifyCurrentPreset(""));  // an empty name keeps the old one
  EXPECT_STREQ(plugin.GetPresetName(0), "Bright");
  EXPECT_DOUBLE_EQ(FirstStoredValue(plugin.GetPresetSlot(0)), 33.0);
  const std::string whole(126, 'n');  // 127 bytes fit: the euro sign goes whole
  plugin.ModifyCurrentPreset((whole + "\xE2\x82\xAC").c_str());
  EXPECT_EQ(plugin.GetPresetName(0), whole);
}

TEST_F(PresetTest, ABankHoldsNameFlagAndStatePerSlotAndRoundTrips) {
  plugin.CreateInitPreset();
  HeapBuffer bank;
  bank.PutBytes("hdrhdrhd", 8);
  ASSERT_TRUE(plugin.SerializePresets(&bank));
  ASSERT_EQ(bank.Size(), 8 + 4 + 4 + 1 + 1560);
  const unsigned char start[] = {4, 0, 0, 0, 'I', 'n', 'i', 't', 1};
  EXPECT_EQ(std::memcmp(bank.Bytes() + 8, start, sizeof start), 0);
  EXPECT_DOUBLE_EQ(LittleEndian::LoadDouble(bank.Bytes() + 17), 10.0);

  plugin.GetPresetSlot(0)->SetName("other");
  SetAll(70.0);
  plugin.ModifyCurrentPreset();
  EXPECT_EQ(plugin.UnserializePresets(&bank, 8), bank.Size());
  EXPECT_STREQ(plugin.GetPresetName(0), "Init");
  EXPECT_DOUBLE_EQ(plugin.GetParam(42)->Value(), 10.0);
}

TEST_F(PresetTest, ABrokenBankChangesNothing) {
  plugin.CreateInitPreset();
  HeapBuffer truncated;
  ASSERT_TRUE(plugin.SerializePresets(&truncated));
  truncated.Resize(truncated.Size() - 1, false);
  HeapBuffer negativeName;
  const unsigned char bytes[] = {0xFC, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
  negativeName.PutBytes(bytes, sizeof bytes);

  plugin.GetPresetSlot(0)->SetName("kept");
  SetAll(70.0);
  EXPECT_EQ(plugin.UnserializePresets(&truncated, 0), -1);
  EXPECT_EQ(plugin.UnserializePresets(&negativeName, 0), -1);
  EXPECT_EQ(plugin.UnserializePresets(nullptr, 0), -1);
  EXPECT_STREQ(plugin.GetPresetName(0), "kept");
  EXPECT_DOUBLE_EQ(plugin.GetParam(0)->Value(), 70.0);
  EXPECT_TRUE(plugin.changed.empty());
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
  EXPECT_DOUBLE_EQ(FirstStoredValue(slot), 55.0);
}

}  // namespace
