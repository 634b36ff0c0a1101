// The state a host stores with a project: 1564 bytes, checked as a whole
// before anything is applied, written with every write checked.
#include <cmath>
#include <cstring>

#include "binding_fixture.h"
#include "framework/little_endian.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr size_t kStateBytes = 8 * IPluginCore::kParamCount + 4;

std::vector<std::uint8_t> StateWith(double firstValue, int32_t bypassWord) {
  std::vector<std::uint8_t> bytes(kStateBytes);
  for (int i = 0; i < IPluginCore::kParamCount; ++i) {
    LittleEndian::StoreDouble(bytes.data() + 8 * i, i == 0 ? firstValue : 0.5);
  }
  LittleEndian::StoreInt32(bytes.data() + kStateBytes - 4, bypassWord);
  return bytes;
}

}  // namespace

TEST_F(PreparedTestPlugin, FreshStateIs1564BytesEndingInAZeroBypassWord) {
  tresult result = kResultFalse;
  std::vector<std::uint8_t> state = session.SaveState(&result);
  ASSERT_EQ(result, kResultOk);
  ASSERT_EQ(state.size(), kStateBytes);
  EXPECT_DOUBLE_EQ(LittleEndian::LoadDouble(state.data()), 50.0);
  EXPECT_EQ(LittleEndian::LoadInt32(state.data() + kStateBytes - 4), 0);
}

TEST_F(PreparedTestPlugin, ComponentAndControllerSaveTheSameState) {
  plugin->GetParam(3)->SetClamped(0.125);
  TestMemoryStream fromComponent;
  ASSERT_EQ(session.component->getState(&fromComponent), kResultOk);
  EXPECT_EQ(fromComponent.data, session.SaveState());

  TestMemoryStream back(StateWith(10.0, 0));
  ASSERT_EQ(session.component->setState(&back), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(0)->Value(), 10.0);
}

TEST_F(PreparedTestPlugin, StateRoundTripsIntoAnotherInstance) {
  plugin->GetParam(0)->SetClamped(12.5);
  plugin->GetParam(194)->SetClamped(0.875);
  plugin->SetBypassed(true);
  std::vector<std::uint8_t> saved = session.SaveState();

  Vst3TestSession other(CreateTestPluginFactory());
  ASSERT_TRUE(other.Prepare());
  TestPlugin* restored = LastTestPlugin();
  restored->changedParams.clear();
  ASSERT_EQ(other.RestoreState(saved), kResultOk);
  EXPECT_DOUBLE_EQ(restored->GetParam(0)->Value(), 12.5);
  EXPECT_DOUBLE_EQ(restored->GetParam(194)->Value(), 0.875);
  EXPECT_TRUE(restored->IsBypassed());
  EXPECT_EQ(restored->changedParams.size(), static_cast<size_t>(IPluginCore::kParamCount));
  EXPECT_EQ(other.SaveState(), saved);
}

TEST_F(PreparedTestPlugin, ClampsRestoredValuesAndBypassesOnAnyNonZeroWord) {
  ASSERT_EQ(session.RestoreState(StateWith(500.0, 7)), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(0)->Value(), 100.0);
  EXPECT_TRUE(plugin->IsBypassed());
}

TEST_F(PreparedTestPlugin, IncompleteOrCorruptStateChangesNothing) {
  plugin->changedParams.clear();
  std::vector<std::uint8_t> withoutBypass = StateWith(1.0, 1);
  withoutBypass.resize(kStateBytes - 4);
  std::vector<std::uint8_t> shortState = StateWith(1.0, 1);
  shortState.resize(800);
  std::vector<std::uint8_t> notANumber = StateWith(std::nan(""), 1);

  for (const auto& bad : {withoutBypass, shortState, notANumber, std::vector<std::uint8_t>()}) {
    EXPECT_EQ(session.RestoreState(bad), kResultFalse);
    EXPECT_DOUBLE_EQ(plugin->GetParam(0)->Value(), 50.0);
    EXPECT_DOUBLE_EQ(plugin->GetParam(3)->Value(), 0.25);
    EXPECT_FALSE(plugin->IsBypassed());
  }
  EXPECT_TRUE(plugin->changedParams.empty());
  EXPECT_EQ(session.controller->setState(nullptr), kInvalidArgument);
}

TEST_F(PreparedTestPlugin, ReadsAStateThatArrivesInSmallPieces) {
  TestMemoryStream stream(StateWith(33.0, 0));
  stream.maxChunk = 7;
  ASSERT_EQ(session.controller->setState(&stream), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(0)->Value(), 33.0);
}

TEST_F(PreparedTestPlugin, FailedWritesAreReported) {
  for (long limit : {0L, 100L, static_cast<long>(kStateBytes) - 2}) {
    TestMemoryStream stream;
    stream.writeLimit = limit;
    EXPECT_EQ(session.controller->getState(&stream), kResultFalse) << limit;
  }
  EXPECT_EQ(session.controller->getState(nullptr), kInvalidArgument);
}
