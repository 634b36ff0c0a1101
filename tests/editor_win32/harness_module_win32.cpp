// The harness's editor opened through a VST3 module, as a host opens it.
#include "editor_harness.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace EditorHarness {

ModuleEditor::ModuleEditor(const std::string& modulePath) {
  if (!LoadVst3Module(modulePath, &module) || !module.initDll()) return;
  auto prepared = std::make_unique<Vst3TestSession>(module.getPluginFactory());
  if (prepared->Prepare()) session = std::move(prepared);
}

ModuleEditor::~ModuleEditor() {
  Remove();
  if (view) view->release();
  view = nullptr;
  session.reset();
  if (module.exitDll) module.exitDll();
  UnloadVst3Module(&module);
}

Steinberg::tresult ModuleEditor::Attach(HWND parent) {
  if (!session) return Steinberg::kResultFalse;
  if (!view) view = session->controller->createView(Steinberg::Vst::ViewType::kEditor);
  if (!view) return Steinberg::kResultFalse;
  const Steinberg::tresult result = view->attached(parent, Steinberg::kPlatformTypeHWND);
  attached = result == Steinberg::kResultOk;
  return result;
}

void ModuleEditor::Remove() {
  if (view && attached) view->removed();
  attached = false;
}

}  // namespace EditorHarness
