// The controller half: exported parameters, value conversions and texts,
// units, the program list, edit gestures and the host's context menu.
#include <cmath>

#include "binding_fixture.h"
#include "pluginterfaces/gui/iplugview.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::string ValueText(IEditController* controller, ParamID id, double normalized,
                      tresult* result = nullptr) {
  String128 text = {};
  tresult answer = controller->getParamStringByValue(id, normalized, text);
  if (result) *result = answer;
  return Narrow(text);
}

}  // namespace

TEST_F(PreparedTestPlugin, ExportsThePresetThenEachParameterAsARangeWithItsIndexAsId) {
  ParameterInfo info{};
  ASSERT_EQ(session.controller->getParameterInfo(0, info), kResultOk);
  EXPECT_EQ(info.id, TovaluneVst3Ids::kPresetParamId);
  EXPECT_EQ(Narrow(info.title), "Preset");
  EXPECT_EQ(info.stepCount, 0);  // one slot: no step beyond it
  EXPECT_EQ(info.flags, ParameterInfo::kIsProgramChange);

  ASSERT_EQ(session.controller->getParameterInfo(1, info), kResultOk);
  EXPECT_EQ(info.id, 0u);
  EXPECT_EQ(Narrow(info.title), "Level");
  EXPECT_EQ(Narrow(info.units), "%");
  EXPECT_EQ(info.stepCount, 0);
  EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, 0.5);
  EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
  EXPECT_EQ(info.unitId, kRootUnitId);
  // The default on the parameter's own curve, so that a host's reset lands on it.
  ASSERT_EQ(session.controller->getParameterInfo(2, info), kResultOk);
  EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, std::sqrt(980.0 / 19980.0));
  ASSERT_EQ(session.controller->getParameterInfo(IPluginCore::kParamCount, info), kResultOk);
  EXPECT_EQ(info.id, static_cast<ParamID>(IPluginCore::kParamCount - 1));

  EXPECT_EQ(session.controller->getParameterInfo(-1, info), kResultFalse);
  EXPECT_EQ(session.controller->getParameterInfo(1 + IPluginCore::kParamCount, info), kResultFalse);
}

TEST_F(PreparedTestPlugin, FormatsValuesThroughRangeShapeAndDisplayTexts) {
  EXPECT_EQ(ValueText(session.controller, 0, 0.25), "25.0");
  EXPECT_EQ(ValueText(session.controller, 0, 1.5), "100.0");  // clamped
  EXPECT_EQ(ValueText(session.controller, 1, 0.5), "-5015");  // 20 + 19980 * 0.5^2, negated
  EXPECT_EQ(ValueText(session.controller, 2, 1.0 / 3.0), "Second");
  EXPECT_EQ(ValueText(session.controller, TovaluneVst3Ids::kPresetParamId, 1.0), "Init");
  tresult result = kResultOk;
  ValueText(session.controller, 9999, 0.5, &result);
  EXPECT_EQ(result, kResultFalse);
  ValueText(session.controller, 0, std::nan(""), &result);
  EXPECT_EQ(result, kInvalidArgument);
  EXPECT_EQ(session.controller->getParamStringByValue(0, 0.5, nullptr), kInvalidArgument);
}

TEST_F(PreparedTestPlugin, ParsesValueTextsTheWayTheyAreShown) {
  auto parse = [this](ParamID id, const char* text, ParamValue* normalized) {
    String128 wide = {};
    for (int i = 0; text[i]; ++i)
      wide[i] = static_cast<TChar>(text[i]);
    return session.controller->getParamValueByString(id, wide, *normalized);
  };
  ParamValue normalized = -1.0;
  ASSERT_EQ(parse(0, "25", &normalized), kResultOk);
  EXPECT_DOUBLE_EQ(normalized, 0.25);
  ASSERT_EQ(parse(1, "-5015", &normalized), kResultOk);  // shown negated, on a square curve
  EXPECT_DOUBLE_EQ(normalized, 0.5);
  ASSERT_EQ(parse(2, "Second", &normalized), kResultOk);
  EXPECT_DOUBLE_EQ(normalized, 1.0 / 3.0);
  ASSERT_EQ(parse(0, "1000", &normalized), kResultOk);
  EXPECT_DOUBLE_EQ(normalized, 1.0);
  EXPECT_EQ(parse(0, "loud", &normalized), kResultFalse);
  EXPECT_EQ(session.controller->getParamValueByString(0, nullptr, normalized), kInvalidArgument);
}

TEST_F(PreparedTestPlugin, ConvertsBetweenPlainAndNormalized) {
  EXPECT_DOUBLE_EQ(session.controller->plainParamToNormalized(1, 5015.0), 0.5);
  EXPECT_DOUBLE_EQ(session.controller->plainParamToNormalized(0, 250.0), 1.0);
  EXPECT_DOUBLE_EQ(session.controller->plainParamToNormalized(9999, 42.0), 42.0);
  EXPECT_DOUBLE_EQ(session.controller->normalizedParamToPlain(0, 0.5), 50.0);
  EXPECT_DOUBLE_EQ(session.controller->normalizedParamToPlain(0, 1.5), 100.0);
  EXPECT_DOUBLE_EQ(session.controller->normalizedParamToPlain(0, -2.0), 0.0);
  EXPECT_DOUBLE_EQ(session.controller->normalizedParamToPlain(1, 0.5), 5015.0);
}

TEST_F(PreparedTestPlugin, SetsAndReadsNormalizedValuesWithoutChangeHooks) {
  plugin->changedParams.clear();
  EXPECT_EQ(session.controller->setParamNormalized(0, 0.3), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(0)->Value(), 30.0);
  EXPECT_DOUBLE_EQ(session.controller->getParamNormalized(0), 0.3);
  EXPECT_TRUE(plugin->changedParams.empty());

  EXPECT_EQ(session.controller->setParamNormalized(0, 4.0), kResultOk);
  EXPECT_DOUBLE_EQ(plugin->GetParam(0)->Value(), 100.0);
  EXPECT_EQ(session.controller->setParamNormalized(0, std::nan("")), kResultFalse);
  EXPECT_EQ(session.controller->setParamNormalized(9999, 0.5), kResultFalse);
  EXPECT_EQ(session.controller->setParamNormalized(TovaluneVst3Ids::kBypassParamId, 1.0),
            kResultFalse);
  EXPECT_DOUBLE_EQ(session.controller->getParamNormalized(9999), 0.0);
  EXPECT_DOUBLE_EQ(session.controller->getParamNormalized(TovaluneVst3Ids::kBypassParamId), 0.0);
  EXPECT_DOUBLE_EQ(session.controller->getParamNormalized(TovaluneVst3Ids::kPresetParamId), 0.0);
}

TEST_F(PreparedTestPlugin, HasOnlyTheRootUnit) {
  EXPECT_EQ(session.units->getUnitCount(), 1);
  UnitInfo info{};
  ASSERT_EQ(session.units->getUnitInfo(0, info), kResultOk);
  EXPECT_EQ(info.id, kRootUnitId);
  EXPECT_EQ(info.parentUnitId, kNoParentUnitId);
  EXPECT_EQ(info.programListId, kNoProgramListId);
  EXPECT_EQ(Narrow(info.name), "Root Unit");
  EXPECT_EQ(session.units->getUnitInfo(1, info), kResultFalse);
  EXPECT_EQ(session.units->getUnitInfo(-1, info), kResultFalse);
  EXPECT_EQ(session.units->getSelectedUnit(), kRootUnitId);
}

TEST_F(PreparedTestPlugin, NamesTheProgramsOfTheFactoryList) {
  EXPECT_EQ(session.units->getProgramListCount(), 0);
  ProgramListInfo list{};
  ASSERT_EQ(session.units->getProgramListInfo(0, list), kResultOk);
  EXPECT_EQ(static_cast<ParamID>(list.id), TovaluneVst3Ids::kPresetParamId);
  EXPECT_EQ(Narrow(list.name), "Factory Presets");
  EXPECT_EQ(list.programCount, 1);
  EXPECT_EQ(session.units->getProgramListInfo(1, list), kResultFalse);

  String128 name = {};
  const auto presets = static_cast<ProgramListID>(TovaluneVst3Ids::kPresetParamId);
  ASSERT_EQ(session.units->getProgramName(presets, 0, name), kResultOk);
  EXPECT_EQ(Narrow(name), "Init");
  EXPECT_EQ(session.units->getProgramName(presets, 5, name), kResultFalse);
  EXPECT_EQ(session.units->getProgramName(presets, -1, name), kResultFalse);
  EXPECT_EQ(session.units->getProgramName(1234, 0, name), kResultFalse);
}

TEST_F(PreparedTestPlugin, ReportsEditGesturesToTheComponentHandler) {
  plugin->BeginHostEdit(3);
  plugin->ApplyGuiParamValue(3, 0.7);
  plugin->EndHostEdit(3);
  const auto& edits = session.handler.edits;
  ASSERT_EQ(edits.size(), 3u);
  EXPECT_EQ(edits[0].kind, RecordedEdit::kBegin);
  EXPECT_EQ(edits[1].kind, RecordedEdit::kPerform);
  EXPECT_EQ(edits[1].id, 3u);
  EXPECT_DOUBLE_EQ(edits[1].value, 0.7);
  EXPECT_EQ(edits[2].kind, RecordedEdit::kEnd);

  session.controller->setComponentHandler(nullptr);
  plugin->BeginHostEdit(3);  // nobody to tell: nothing happens
  EXPECT_EQ(edits.size(), 3u);
}

TEST_F(PreparedTestPlugin, ContextMenuNeedsAnOpenViewAndCopesWithoutAMenu) {
  plugin->PopupHostContextMenu(3, 10, 20);
  EXPECT_EQ(session.handler.contextMenuRequests, 0);

  IPlugView* view = session.controller->createView("editor");
  ASSERT_NE(view, nullptr);
  plugin->PopupHostContextMenu(3, 10, 20);  // the host has no menu to give
  EXPECT_EQ(session.handler.contextMenuRequests, 1);

  TestContextMenu menu;
  session.handler.menu = &menu;
  plugin->PopupHostContextMenu(3, 10, 20);
  ASSERT_EQ(menu.popups.size(), 1u);
  EXPECT_EQ(menu.popups[0], std::make_pair(10, 20));
  EXPECT_EQ(menu.references, 1);
  EXPECT_EQ(session.handler.references, 2);  // the test and the plug-in

  plugin->PopupHostContextMenu(9999, 10, 20);  // no such parameter
  session.handler.offersContextMenus = false;
  plugin->PopupHostContextMenu(3, 10, 20);
  EXPECT_EQ(session.handler.contextMenuRequests, 2);

  view->release();
  EXPECT_EQ(plugin->NOpenViews(), 0);
}
