#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/framework/test_plugin.h"

namespace {

TEST(IPluginCore, ConstructionFixesIdentityAndConfiguration) {
  TestPlugin plugin;
  EXPECT_STREQ(plugin.GetEffectName(), "Tovalune");
  EXPECT_STREQ(plugin.GetMakerName(), "VornAudio");
  EXPECT_EQ(plugin.GetUniqueId(), 0x56616432);  // 'Vad2', first character most significant
  EXPECT_EQ(plugin.GetMakerId(), 0x56726E71);   // 'Vrnq'
  EXPECT_EQ(plugin.GetVersion(), 0x00010100);
  EXPECT_EQ(plugin.GetApiId(), kApiVST3);
  EXPECT_EQ(TestPlugin(kApiVST2).GetApiId(), kApiVST2);
  EXPECT_EQ(plugin.GetHostId(), kHostUninit);
  EXPECT_EQ(plugin.NParams(), 195);
  EXPECT_EQ(plugin.GetParam(-1), nullptr);
  EXPECT_EQ(plugin.GetParam(195), nullptr);
  EXPECT_STREQ(plugin.GetPresetName(0), "empty");
  EXPECT_EQ(plugin.NPresets(), 1);
  EXPECT_EQ(plugin.NInChannels(), 2);
  EXPECT_EQ(plugin.NOutChannels(), 2);
  EXPECT_TRUE(plugin.LegalIO(2, 2));
  EXPECT_TRUE(plugin.LegalIO(-1, 2));
  EXPECT_TRUE(plugin.LegalIO(2, -1));
  EXPECT_FALSE(plugin.LegalIO(1, 2));
  EXPECT_FALSE(plugin.LegalIO(0, 0));
}

TEST(IPluginCore, HostValuesAreCheckedAtTheBoundary) {
  TestPlugin plugin;
  EXPECT_TRUE(plugin.SetSampleRate(48000.0));
  EXPECT_FALSE(plugin.SetSampleRate(0.0));
  EXPECT_FALSE(plugin.SetSampleRate(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_DOUBLE_EQ(plugin.SamplesPerBeat(), 24000.0);  // at 120 BPM
  plugin.tempo = 0.0;
  EXPECT_DOUBLE_EQ(plugin.SamplesPerBeat(), 0.0);
  plugin.tempo = std::nan("");
  EXPECT_DOUBLE_EQ(plugin.SamplesPerBeat(), 0.0);

  EXPECT_TRUE(plugin.SetOutputBusName(0, "Output 9"));
  EXPECT_TRUE(plugin.SetOutputBusName(0, "Output 1"));  // replaced in place
  EXPECT_FALSE(plugin.SetOutputBusName(-1, "x"));
  EXPECT_STREQ(plugin.GetOutputBusName(0), "Output 1");
  EXPECT_STREQ(plugin.GetInputBusName(0), "");
  EXPECT_EQ(plugin.FindOrAddUnitGroup(""), 0);  // units count from 1 in order of first use
  EXPECT_EQ(plugin.FindOrAddUnitGroup("Filter"), 1);
  EXPECT_EQ(plugin.FindOrAddUnitGroup("Env"), 2);
  EXPECT_EQ(plugin.FindOrAddUnitGroup("Filter"), 1);

  const IMidiMessage msg(3, 0x90, 60, 100);
  plugin.ReceiveMidiMessage(&msg);  // the base sends it on
  plugin.ReceiveMidiMessage(nullptr);
  ASSERT_EQ(plugin.sentMidi.size(), 1u);
  EXPECT_EQ(plugin.sentMidi[0].offset, 3);
}

TEST(IPluginCore, AGuiValueSetsTheRecordTellsTheHostAndCallsTheHook) {
  TestPlugin plugin;
  plugin.DefineTestParams();
  plugin.ApplyGuiParamValue(7, 0.25);
  plugin.ApplyGuiParamValue(0, 1.5);
  plugin.ApplyGuiParamValue(0, std::numeric_limits<double>::quiet_NaN());
  plugin.ApplyGuiParamValue(195, 0.5);  // no such parameter: nothing
  EXPECT_DOUBLE_EQ(plugin.GetParam(7)->Value(), 25.0);
  EXPECT_DOUBLE_EQ(plugin.GetParam(0)->Value(), 100.0);
  ASSERT_EQ(plugin.edits.size(), 3u);
  EXPECT_EQ(plugin.edits[0].idx, 7);
  EXPECT_DOUBLE_EQ(plugin.edits[0].normalized, 0.25);
  // The host hears the position the record took, never a value outside [0, 1].
  EXPECT_DOUBLE_EQ(plugin.edits[1].normalized, 1.0);
  EXPECT_DOUBLE_EQ(plugin.edits[2].normalized, 1.0);
  EXPECT_EQ(plugin.changed, (std::vector<int>{7, 0, 0}));
}

TEST(IPluginCore, AttachPushesNormalizedValuesAndRefreshPushesPlainOnes) {
  TestPlugin plugin;
  plugin.DefineTestParams();
  plugin.RefreshParamControls();  // no editor: nothing happens
  plugin.GetParam(3)->SetClamped(40.0);
  auto* editor = new FakeEditor();
  plugin.AttachGui(editor);
  EXPECT_EQ(plugin.GetGuiLink(), editor);
  ASSERT_EQ(editor->pushes.size(), 195u);
  EXPECT_EQ(editor->appliedAfterPushes, 195u);  // the first values are shown at once
  EXPECT_EQ(editor->backBufferAfterPushes, 195u);
  EXPECT_EQ(editor->pushes[3].idx, 3);
  EXPECT_DOUBLE_EQ(editor->pushes[3].value, 0.4);
  EXPECT_TRUE(editor->pushes[3].normalized);

  editor->pushes.clear();
  plugin.RefreshParamControls();
  ASSERT_EQ(editor->pushes.size(), 195u);
  EXPECT_DOUBLE_EQ(editor->pushes[3].value, 40.0);
  EXPECT_FALSE(editor->pushes[3].normalized);
}

TEST(IPluginCore, TheInstanceDeletesItsEditor) {
  bool firstDeleted = false;
  bool secondDeleted = false;
  {
    TestPlugin plugin;
    plugin.AttachGui(nullptr);
    EXPECT_EQ(plugin.GetGuiLink(), nullptr);
    auto* first = new FakeEditor(&firstDeleted);
    plugin.AttachGui(first);
    plugin.AttachGui(first);  // the same editor again is not deleted
    EXPECT_FALSE(firstDeleted);
    plugin.AttachGui(new FakeEditor(&secondDeleted));
    EXPECT_TRUE(firstDeleted);
    EXPECT_FALSE(secondDeleted);
  }
  EXPECT_TRUE(secondDeleted);
}

}  // namespace
