// Instance creation, interfaces, initialize, buses, arrangements and the
// processing set-up of the binding.
#include "binding_fixture.h"
#include "pluginterfaces/vst/ivstmessage.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class CreatedTestPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.Create());
    plugin = LastTestPlugin();
  }
  Vst3TestSession session{CreateTestPluginFactory()};
  TestPlugin* plugin = nullptr;
};

std::string BusName(IComponent* component, MediaType type, BusDirection dir, int32 index,
                    int32* channels = nullptr) {
  BusInfo info{};
  if (component->getBusInfo(type, dir, index, info) != kResultOk) return "<none>";
  if (channels) *channels = info.channelCount;
  return Narrow(info.name);
}

}  // namespace

TEST_F(CreatedTestPlugin, AnswersUnitInfoAndTheInterfacesOfTheSdkPart) {
  for (const auto& iid : {IUnitInfo::iid, IConnectionPoint::iid, IEditController2::iid,
                          FUnknown::iid, IPluginBase::iid}) {
    FUnknown* object = nullptr;
    ASSERT_EQ(session.component->queryInterface(iid, reinterpret_cast<void**>(&object)), kResultOk);
    object->release();
  }
  EXPECT_TRUE(plugin->isTypeOf("IPluginVST3"));
  EXPECT_TRUE(plugin->isTypeOf("SingleComponentEffect"));
}

TEST_F(CreatedTestPlugin, InitializeDeclaresBusesIdentifiesTheHostAndLoadsTheFirstPreset) {
  session.host.name = "REAPER64";
  plugin->GetParam(5)->SetClamped(0.9);
  ASSERT_EQ(session.Initialize(), kResultOk);

  int32 channels = 0;
  EXPECT_EQ(BusName(session.component, kAudio, kInput, 0, &channels), "Main Input");
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(BusName(session.component, kAudio, kOutput, 0, &channels), "Output 1");
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(BusName(session.component, kEvent, kInput, 0, &channels), "MIDI Input");
  EXPECT_EQ(channels, 1);
  EXPECT_EQ(session.component->getBusCount(kAudio, kInput), 1);
  EXPECT_EQ(session.component->getBusCount(kEvent, kOutput), 0);

  EXPECT_EQ(plugin->GetHostId(), kHostReaper);
  EXPECT_EQ(plugin->hostIdentifiedCalls, 1);
  EXPECT_DOUBLE_EQ(plugin->GetParam(5)->Value(), 0.25);  // preset slot 0 ("Init") restored
}

TEST_F(CreatedTestPlugin, SecondInitializeIsRefusedAndChangesNothing) {
  ASSERT_EQ(session.Initialize(), kResultOk);
  plugin->GetParam(5)->SetClamped(0.9);
  const size_t changesBefore = plugin->changedParams.size();

  EXPECT_EQ(session.component->initialize(&session.host), kResultFalse);
  EXPECT_EQ(session.component->initialize(nullptr), kResultFalse);
  EXPECT_DOUBLE_EQ(plugin->GetParam(5)->Value(), 0.9);
  EXPECT_EQ(plugin->changedParams.size(), changesBefore);
  EXPECT_EQ(plugin->hostIdentifiedCalls, 1);
  EXPECT_EQ(session.controller->getParameterCount(), 1 + IPluginCore::kParamCount);
  EXPECT_EQ(session.component->getBusCount(kAudio, kOutput), 1);
}

TEST_F(CreatedTestPlugin, InitializeWithoutHostContextStillRefusesTheSecondCall) {
  ASSERT_EQ(session.component->initialize(nullptr), kResultOk);
  EXPECT_EQ(plugin->GetHostId(), kHostUninit);
  EXPECT_EQ(session.component->initialize(nullptr), kResultFalse);
  EXPECT_EQ(session.controller->getParameterCount(), 1 + IPluginCore::kParamCount);
  session.component->terminate();
}

TEST_F(CreatedTestPlugin, ProcessBeforeAnySetupRendersSilence) {
  ASSERT_EQ(session.Initialize(), kResultOk);
  session.ActivateAllBuses();
  TestAudioBlock block(64, 1, 2, 7.0f);
  ASSERT_EQ(session.Process(block, kSample32), kResultOk);
  EXPECT_FLOAT_EQ(block.Output32(0, 0, 10), 0.0f);
  EXPECT_TRUE(plugin->blockFrames.empty());
}

TEST_F(CreatedTestPlugin, TerminateRemovesBusesAndParametersAndAllowsANewStart) {
  ASSERT_EQ(session.Initialize(), kResultOk);
  ASSERT_EQ(session.component->terminate(), kResultOk);
  EXPECT_EQ(session.component->getBusCount(kAudio, kOutput), 0);
  EXPECT_EQ(session.controller->getParameterCount(), 0);
  EXPECT_EQ(session.component->initialize(&session.host), kResultOk);
  EXPECT_EQ(session.controller->getParameterCount(), 1 + IPluginCore::kParamCount);
}

TEST_F(PreparedTestPlugin, RefusesIllegalArrangements) {
  SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
  SpeakerArrangement twoStereo[2] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
  EXPECT_EQ(session.processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(session.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultOk);
  EXPECT_EQ(session.processor->setBusArrangements(twoStereo, 2, &stereo, 1), kResultFalse);
  EXPECT_EQ(session.processor->setBusArrangements(nullptr, 1, &stereo, 1), kResultFalse);
  EXPECT_EQ(session.processor->setBusArrangements(&stereo, 1, nullptr, 1), kResultFalse);

  SpeakerArrangement current = 0;
  EXPECT_EQ(session.processor->getBusArrangement(kOutput, 0, current), kResultOk);
  EXPECT_EQ(current, SpeakerArr::kStereo);
  EXPECT_EQ(session.processor->getBusArrangement(kOutput, 1, current), kInvalidArgument);
}

TEST_F(PreparedTestPlugin, BusQueriesOutsideTheListsAreInvalid) {
  BusInfo info{};
  EXPECT_EQ(session.component->getBusInfo(kAudio, kOutput, 1, info), kInvalidArgument);
  EXPECT_EQ(session.component->getBusInfo(kAudio, kOutput, -1, info), kInvalidArgument);
  EXPECT_EQ(session.component->getBusInfo(7, kOutput, 0, info), kInvalidArgument);
  EXPECT_EQ(session.component->activateBus(kEvent, kInput, 3, true), kInvalidArgument);
  EXPECT_EQ(session.component->getBusCount(kAudio, 5), 0);
}

TEST_F(PreparedTestPlugin, SetupProcessingStoresTheRateModeAndBlockAndResets) {
  EXPECT_EQ(session.processor->canProcessSampleSize(kSample32), kResultOk);
  EXPECT_EQ(session.processor->canProcessSampleSize(kSample64), kResultOk);
  EXPECT_FALSE(plugin->IsRenderingOffline());
  const int resetsBefore = plugin->resets;
  ProcessSetup setup{kOffline, kSample64, 256, 48000.0};
  EXPECT_EQ(session.processor->setupProcessing(setup), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetSampleRate(), 48000.0);
  EXPECT_EQ(plugin->GetBlockSize(), 256);
  EXPECT_EQ(plugin->resets, resetsBefore + 1);
  EXPECT_TRUE(plugin->IsRenderingOffline());
}

TEST_F(PreparedTestPlugin, RefusedSetupChangesNothing) {
  EXPECT_EQ(session.processor->canProcessSampleSize(2), kResultFalse);
  plugin->SetBypassed(true);
  const int resetsBefore = plugin->resets;
  EXPECT_EQ(session.SetupProcessing(2, 256, 48000.0), kResultFalse);
  EXPECT_EQ(session.SetupProcessing(-1, 256, 48000.0), kResultFalse);
  EXPECT_EQ(session.SetupProcessing(kSample32, 256, 0.0), kResultFalse);
  EXPECT_EQ(session.SetupProcessing(kSample32, 256, -44100.0), kResultFalse);
  EXPECT_EQ(session.SetupProcessing(kSample32, 0, 48000.0), kResultFalse);
  EXPECT_DOUBLE_EQ(plugin->GetSampleRate(), 44100.0);
  EXPECT_EQ(plugin->GetBlockSize(), 512);
  EXPECT_TRUE(plugin->IsBypassed());
  EXPECT_EQ(plugin->resets, resetsBefore);
}

TEST_F(PreparedTestPlugin, LatencyChangeRestartsTheComponent) {
  plugin->SetLatency(3);
  EXPECT_EQ(session.processor->getLatencySamples(), 3u);
  ASSERT_EQ(session.handler.restartFlags.size(), 1u);
  EXPECT_EQ(session.handler.restartFlags[0], kLatencyChanged);
}

TEST(Vst3References, HostObjectsGetEveryReferenceBack) {
  TestHostApplication host;
  TestComponentHandler handler;
  // A host that terminates before it releases, and one that only releases.
  for (bool terminates : {true, false}) {
    IPluginFactory* factory = CreateTestPluginFactory();
    void* object = nullptr;
    ASSERT_EQ(factory->createInstance(TovaluneVst3Ids::kClassId, IComponent::iid, &object),
              kResultOk);
    auto* component = static_cast<IComponent*>(object);
    IEditController* controller = nullptr;
    ASSERT_EQ(
        component->queryInterface(IEditController::iid, reinterpret_cast<void**>(&controller)),
        kResultOk);
    ASSERT_EQ(component->initialize(&host), kResultOk);
    controller->setComponentHandler(&handler);
    EXPECT_GT(handler.references, 1);
    if (terminates) component->terminate();
    controller->release();
    EXPECT_EQ(component->release(), 0u);
    factory->release();
    EXPECT_EQ(host.references, 1) << terminates;
    EXPECT_EQ(handler.references, 1) << terminates;
  }
}
