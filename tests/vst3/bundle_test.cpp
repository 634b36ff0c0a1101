// The Windows module in its bundle, loaded the way a host loads it: the
// library, its entry points, the factory, a played note and a state round trip.
#include <gtest/gtest.h>

#include <cstring>

#include "module_loader.h"
#include "vst3_test_session.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

class TovaluneBundle : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadVst3Module(TOVALUNE_VST3_BUNDLE_BINARY, &module))
        << "cannot load " << TOVALUNE_VST3_BUNDLE_BINARY;
    ASSERT_TRUE(module.initDll());
  }
  void TearDown() override {
    if (module.exitDll) {
      EXPECT_TRUE(module.exitDll());
    }
    UnloadVst3Module(&module);
  }
  LoadedVst3Module module;
};

}  // namespace

TEST_F(TovaluneBundle, PublishesTheOneClass) {
  IPluginFactory* factory = module.getPluginFactory();
  ASSERT_NE(factory, nullptr);
  ASSERT_EQ(factory->countClasses(), 1);
  PClassInfo info;
  ASSERT_EQ(factory->getClassInfo(0, &info), kResultOk);
  EXPECT_STREQ(info.name, "Tovalune");
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_EQ(std::memcmp(info.cid + 8, "VrnqVad2", 8), 0);
  EXPECT_EQ(module.getPluginFactory(), factory);
  factory->release();
  factory->release();
}

TEST_F(TovaluneBundle, RoundTripsItsStateAndPlaysANote) {
  Vst3TestSession session(module.getPluginFactory());
  ASSERT_TRUE(session.Prepare());
  std::vector<std::uint8_t> saved = session.SaveState();
  ASSERT_EQ(saved.size(), 1564u);
  const ParamID mainVolume = 92;  // the engine's MainVolume
  ASSERT_EQ(session.controller->setParamNormalized(mainVolume, 0.05), kResultOk);
  EXPECT_NE(session.SaveState(), saved);
  ASSERT_EQ(session.RestoreState(saved), kResultOk);
  EXPECT_EQ(session.SaveState(), saved);

  EXPECT_EQ(session.RenderPeak(1024, kSample32), 0.0);
  TestEventList events;
  events.AddNoteOn(0, 0, 60, 0.8f);
  EXPECT_GT(session.RenderPeak(8192, kSample32, &events), 0.01);
}
