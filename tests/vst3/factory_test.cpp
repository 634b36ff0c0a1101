#include <gtest/gtest.h>

#include <cstring>

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "vst3/plugin_factory.h"
#include "vst3/vst3_ids.h"

using namespace Steinberg;

namespace {

// An object that counts how many of its kind are alive.
class Counted : public FObject {
 public:
  Counted() { ++alive; }
  ~Counted() override { --alive; }
  static int alive;
};
int Counted::alive = 0;

FUnknown* CreateCounted(void*) {
  return static_cast<FObject*>(new Counted());
}
FUnknown* CreateNothing(void*) {
  return nullptr;
}

const TUID kOtherClass = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

class FactoryTest : public ::testing::Test {
 protected:
  FactoryTest() : factory(new CPluginFactory(PFactoryInfo("Maker", "http://x", "a@b", 16))) {
    PClassInfo2 info(TovaluneVst3Ids::kClassId, PClassInfo::kManyInstances, "Audio Module Class",
                     "Thing", 2, "Instrument|Synth", "", "1.1.0", "VST 3.6.0");
    factory->registerClass(&info, CreateCounted);
  }
  ~FactoryTest() override { factory->release(); }
  CPluginFactory* factory;
};

}  // namespace

TEST_F(FactoryTest, RefusesIndicesOutsideTheClassesAndNullRecords) {
  PClassInfo plain;
  PClassInfo2 second;
  PClassInfoW wide;
  EXPECT_EQ(factory->getClassInfo(1, &plain), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo(-1, &plain), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo2(1, &second), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfoUnicode(7, &wide), kInvalidArgument);
  EXPECT_EQ(factory->getClassInfo(0, nullptr), kInvalidArgument);
  EXPECT_EQ(factory->getFactoryInfo(nullptr), kInvalidArgument);
  EXPECT_FALSE(factory->registerClass(nullptr, CreateCounted));
  EXPECT_EQ(factory->countClasses(), 1);
}

TEST_F(FactoryTest, CreatedInstanceHoldsOnlyTheHostsReference) {
  void* object = nullptr;
  ASSERT_EQ(factory->createInstance(TovaluneVst3Ids::kClassId, FUnknown::iid, &object), kResultOk);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(Counted::alive, 1);
  EXPECT_EQ(static_cast<FUnknown*>(object)->release(), 0u);
  EXPECT_EQ(Counted::alive, 0);
}

TEST_F(FactoryTest, UnsupportedInterfaceOrClassCreatesNothingThatStays) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(TovaluneVst3Ids::kClassId, Vst::IComponent::iid, &object),
            kNoInterface);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(Counted::alive, 0);
  EXPECT_EQ(factory->createInstance(kOtherClass, FUnknown::iid, &object), kNoInterface);
  EXPECT_EQ(factory->createInstance(TovaluneVst3Ids::kClassId, FUnknown::iid, nullptr),
            kInvalidArgument);
  EXPECT_EQ(factory->createInstance(nullptr, FUnknown::iid, &object), kInvalidArgument);
}

TEST(Factory, FailedCreationIsReported) {
  auto* factory = new CPluginFactory(PFactoryInfo());
  PClassInfo2 info(TovaluneVst3Ids::kClassId, 1, "Audio Module Class", "X", 0, "", "", "", "");
  factory->registerClass(&info, CreateNothing);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(TovaluneVst3Ids::kClassId, FUnknown::iid, &object),
            kOutOfMemory);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->release(), 0u);
}

TEST_F(FactoryTest, AnswersEveryFactoryInterfaceVersion) {
  for (const auto& iid : {IPluginFactory::iid, IPluginFactory2::iid, IPluginFactory3::iid}) {
    void* object = nullptr;
    ASSERT_EQ(factory->queryInterface(iid, &object), kResultOk);
    static_cast<FUnknown*>(object)->release();
  }
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->queryInterface(Vst::IComponent::iid, &object), kNoInterface);
  EXPECT_EQ(object, nullptr);
}
