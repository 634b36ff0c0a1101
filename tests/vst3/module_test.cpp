// The real module linked in: entry points, the factory and its class, and
// the instrument played and stored through the whole VST3 life cycle.
#include <gtest/gtest.h>

#include <cstring>

#include "binding_fixture.h"
#include "engine/engine_params.h"
#include "engine/param_table.h"
#include "framework/little_endian.h"
#include "instrument/tovalune.h"
#include "vst3/tovalune_module.h"
#include "vst3/vst3_ids.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class TovaluneModule : public ::testing::Test {
 protected:
  Vst3TestSession session{GetPluginFactory()};
};

// One block in which note 60 starts on MIDI channel 1.
TestEventList NoteOn() {
  TestEventList events;
  events.AddNoteOn(0, 0, 60, 0.8f);
  return events;
}

}  // namespace

TEST(TovaluneFactory, IsBuiltOnceAndOutlivesTheHostsReferences) {
  IPluginFactory* first = GetPluginFactory();
  IPluginFactory* second = GetPluginFactory();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  first->release();
  second->release();
  // The module still holds its own reference: the next caller gets a live factory.
  IPluginFactory* third = GetPluginFactory();
  EXPECT_EQ(third, first);
  EXPECT_EQ(third->countClasses(), 1);
  third->release();
}

TEST(TovaluneFactory, PublishesTheVendorAndTheOneClass) {
  IPluginFactory* factory = GetPluginFactory();
  PFactoryInfo info;
  ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
  EXPECT_STREQ(info.vendor, "VornAudio");
  EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);

  ASSERT_EQ(factory->countClasses(), 1);
  PClassInfo plain;
  ASSERT_EQ(factory->getClassInfo(0, &plain), kResultOk);
  EXPECT_STREQ(plain.name, "Tovalune");
  EXPECT_STREQ(plain.category, "Audio Module Class");

  IPluginFactory3* factory3 = nullptr;
  ASSERT_EQ(factory->queryInterface(IPluginFactory3::iid, reinterpret_cast<void**>(&factory3)),
            kResultOk);
  PClassInfoW wide;
  ASSERT_EQ(factory3->getClassInfoUnicode(0, &wide), kResultOk);
  EXPECT_EQ(wide.name[0], 'T');
  EXPECT_EQ(std::memcmp(wide.cid, plain.cid, sizeof(TUID)), 0);
  PClassInfo2 classInfo;
  ASSERT_EQ(factory3->getClassInfo2(0, &classInfo), kResultOk);
  const unsigned char fixedBytes[8] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F};
  EXPECT_EQ(std::memcmp(classInfo.cid, fixedBytes, 8), 0);
  EXPECT_EQ(std::memcmp(classInfo.cid + 8, "VrnqVad2", 8), 0);
  EXPECT_EQ(classInfo.cardinality, PClassInfo::kManyInstances);
  EXPECT_STREQ(classInfo.category, "Audio Module Class");
  EXPECT_STREQ(classInfo.name, "Tovalune");
  EXPECT_EQ(classInfo.classFlags, 2u);
  EXPECT_STREQ(classInfo.subCategories, "Instrument|Synth");
  EXPECT_STREQ(classInfo.vendor, "");
  EXPECT_STREQ(classInfo.version, "1.1.0");
  EXPECT_STREQ(classInfo.sdkVersion, "VST 3.6.0");
  factory3->release();
  factory->release();
}

TEST(TovaluneFactory, EntryPointsAnswerTrueAndAFreshFactoryFollowsExitDll) {
  EXPECT_TRUE(InitDll());
  EXPECT_EQ(EditorInstanceHandle(), ModuleInstanceHandle());
  EXPECT_TRUE(ExitDll());
  IPluginFactory* factory = GetPluginFactory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->countClasses(), 1);
  factory->release();
}

TEST_F(TovaluneModule, ExportsThePresetAndTheEngineParameters) {
  ASSERT_TRUE(session.Prepare());
  ASSERT_EQ(session.controller->getParameterCount(), 1 + EngineParam::kCount);
  ParameterInfo info{};
  ASSERT_EQ(session.controller->getParameterInfo(1 + EngineParam::HostTempoBpm, info), kResultOk);
  EXPECT_EQ(info.id, static_cast<ParamID>(EngineParam::HostTempoBpm));
  EXPECT_EQ(Narrow(info.title), EngineParamTable::Rows()[EngineParam::HostTempoBpm].name);
  EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);

  String128 name = {};
  ASSERT_EQ(session.units->getProgramName(TovaluneVst3Ids::kPresetParamId, 0, name), kResultOk);
  EXPECT_EQ(Narrow(name), "Init");
}

TEST_F(TovaluneModule, PlaysANoteInBothSampleSizes) {
  for (int32 size : {kSample32, kSample64}) {
    Vst3TestSession instance(GetPluginFactory());
    ASSERT_TRUE(instance.Prepare(size));
    EXPECT_EQ(instance.RenderPeak(2048, size), 0.0);
    TestEventList events = NoteOn();
    const double peak = instance.RenderPeak(8192, size, &events);
    EXPECT_GT(peak, 0.01) << "sample size " << size;
    EXPECT_LE(peak, 1.0);
  }
}

TEST_F(TovaluneModule, KeepsTheHostTempoWhenAContextCarriesNone) {
  ASSERT_TRUE(session.Prepare());
  ProcessContext context{};
  context.state = ProcessContext::kTempoValid;
  context.tempo = 90.0;
  session.RenderPeak(256, kSample32, nullptr, &context);
  ProcessContext withoutTempo{};
  session.RenderPeak(256, kSample32, nullptr, &withoutTempo);
  const double normalized = session.controller->getParamNormalized(EngineParam::HostTempoBpm);
  EXPECT_NEAR(normalized, 90.0 / 1000.0, 1e-12);
}

TEST_F(TovaluneModule, StateIs1564BytesAndRestoresTheSound) {
  ASSERT_TRUE(session.Prepare());
  std::vector<std::uint8_t> saved = session.SaveState();
  ASSERT_EQ(saved.size(), 1564u);

  TestParameterChanges changes;
  changes.Add(EngineParam::MainVolume, {0.1});
  TestAudioBlock block(64);
  ASSERT_EQ(session.Process(block, kSample32, &changes), kResultOk);
  EXPECT_NE(session.SaveState(), saved);

  ASSERT_EQ(session.RestoreState(saved), kResultOk);
  EXPECT_EQ(session.SaveState(), saved);
}

namespace {

// Plays note 60, bypasses the instrument (by the parameter, or by a restored state) for 2000
// blocks, with or without 100 notes in each, then ends the bypass. Checks that nothing is
// pending, the queue never grew and no voice is on; returns the next second of channel 0.
std::vector<double> RenderAcrossABypass(bool byState, bool notesWhileBypassed) {
  const int32 size = byState ? kSample64 : kSample32;
  Vst3TestSession instance(GetPluginFactory());
  EXPECT_TRUE(instance.Prepare(size));
  const Tovalune* synth = dynamic_cast<Tovalune*>(instance.component);
  if (!synth) return {};
  TestEventList held = NoteOn();
  EXPECT_GT(instance.RenderPeak(256, size, &held), 0.0);
  const int32 capacity = synth->MidiQueue().Capacity();

  TestParameterChanges bypass;
  if (byState) {
    std::vector<std::uint8_t> state = instance.SaveState();
    LittleEndian::StoreInt32(state.data() + state.size() - 4, 1);
    EXPECT_EQ(instance.RestoreState(state), kResultOk);
  } else {
    bypass.Add(TovaluneVst3Ids::kBypassParamId, {1.0});
  }
  TestAudioBlock block(256);
  for (int b = 0; b < 2000; ++b) {
    TestEventList notes;
    for (int k = 0; notesWhileBypassed && k < 100; ++k) {
      const int pitch = 36 + (b + k) % 48;
      if (k % 3 == 2) {
        notes.AddNoteOff(k * 2, 0, pitch);
      } else {
        notes.AddNoteOn(k * 2, 0, pitch, 1.0f);
      }
    }
    instance.Process(block, size, b == 0 ? &bypass : nullptr, &notes);
  }
  EXPECT_EQ(synth->MidiQueue().Count(), 0);
  EXPECT_EQ(synth->MidiQueue().Capacity(), capacity);

  TestParameterChanges resume;
  resume.Add(TovaluneVst3Ids::kBypassParamId, {0.0});
  instance.Process(block, size, &resume);
  for (int v = 0; v < 8; ++v) {
    EXPECT_EQ(synth->GetParam(EngineParam::VoiceParam(v, EngineParam::NoteGate))->Value(), 0.0);
  }
  std::vector<double> after;
  for (int b = 0; b < 172; ++b) {
    instance.Process(block, size);
    for (int f = 0; f < block.frames; ++f)
      after.push_back(byState ? block.Output64(0, 0, f) : block.Output32(0, 0, f));
  }
  return after;
}

}  // namespace

// While bypassed, notes are consumed block by block; the note held before is let go of, and
// what follows the bypass is the same as if no note had come during it.
TEST(TovaluneBypass, ConsumesTheNotesOfEveryBypassedBlock) {
  for (const bool byState : {false, true}) {
    const std::vector<double> quiet = RenderAcrossABypass(byState, false);
    const std::vector<double> busy = RenderAcrossABypass(byState, true);
    ASSERT_EQ(busy.size(), 172u * 256u);
    EXPECT_TRUE(busy == quiet) << (byState ? "restored state" : "parameter");
  }
}
