#include "test_editor.h"

namespace {

const char* const kMenuTexts[] = {"Zero", "One", "Two", "Three", "Four"};

}  // namespace

HarnessPlugin::HarnessPlugin() {
  GetParam(kKnob)->DefineDouble("Knob", 50.0, 0.0, 100.0, 0.01, "%");
  GetParam(kSwitch)->DefineDouble("Switch", 0.0, 0.0, 1.0, 1.0);
  GetParam(kMenu)->DefineDouble("Menu", 0.0, 0.0, 4.0, 1.0);
  GetParam(kContact)->DefineDouble("Contact", 0.0, 0.0, 1.0, 1.0);
}

int HarnessPlugin::Count(Edit::Kind kind, int idx) const {
  int count = 0;
  for (const Edit& edit : edits)
    count += edit.kind == kind && edit.idx == idx;
  return count;
}

bool HarnessPlugin::GesturesBalanced() const {
  int open = -1;
  for (const Edit& edit : edits) {
    if (edit.kind == Edit::kBegin && open >= 0) return false;
    if (edit.kind == Edit::kEnd && open != edit.idx) return false;
    if (edit.kind == Edit::kBegin || edit.kind == Edit::kEnd)
      open = edit.kind == Edit::kBegin ? edit.idx : -1;
  }
  return open < 0;
}

MenuTestControl::MenuTestControl(IPluginCore* plug, const IRectangle* r, int param)
    : IControl(plug, r, param) {}

void MenuTestControl::MouseDown(int, int, IMouseKeys* keys) {
  if (!keys || !keys->left || !plug->GetGui()) return;
  ++menusShown;
  IPopupMenu more;
  more.AppendText(kMenuTexts[3]);
  more.AppendText(kMenuTexts[4]);
  IPopupMenu menu;
  for (int v = 0; v < 3; ++v)
    menu.AppendText(kMenuTexts[v]);
  menu.AppendSubmenu("More", &more);
  IRectangle at = rect;
  IPopupMenu* chosen = plug->GetGui()->ShowPopupMenu(&menu, &at);
  if (chosen)
    SetValueFromUser(
        GetParam()->ToNormalized((chosen == &more ? 3 : 0) + chosen->GetChosenIndex()));
}

bool MenuTestControl::Draw(IGraphics* graphics) {
  const IColor colour{255, 40 + 50 * static_cast<int>(GetParam()->Value()), 90, 140};
  return graphics->FillRect(&colour, &rect, nullptr);
}

namespace TestEditor {

IGraphicsWin* Build(HarnessPlugin* plug, void* moduleInstance) {
  auto* gui = new IGraphicsWin(plug, kWidth, kHeight);
  gui->SetModuleInstance(moduleInstance);
  gui->AttachBackground();
  auto strip = [&](int id, int frames) {
    return gui->LoadImageStrip(id, "picture.png", frames, 40, 40);
  };
  auto* knob = new IKnobMultiControl(plug, 100, 100, HarnessPlugin::kKnob, strip(121, 99), 4.0);
  knob->DisablePrompt(false);
  gui->AddControl(knob);
  gui->AddControl(new ISwitchControl(plug, 200, 100, HarnessPlugin::kSwitch, strip(107, 2)));
  gui->AddControl(new MenuTestControl(plug, &kMenuRect, HarnessPlugin::kMenu));
  gui->AddControl(new IContactControl(plug, 300, 100, HarnessPlugin::kContact, strip(107, 2)));
  plug->AttachGui(gui);
  return gui;
}

}  // namespace TestEditor
