#include "test_editor.h"

#include <windows.h>

#include <cstdio>
#include <new>

namespace {

constexpr int kKnobImage = 121;
constexpr int kSwitchImage = 107;
constexpr int kContactImage = 112;
constexpr int kLoadImage = 105;
constexpr int kSaveImage = 106;
constexpr int kKnobFrames = 99;
constexpr double kKnobGearing = 4.0;

const char* const kMenuTexts[HarnessPlugin::kMenuValues] = {"Zero", "One", "Two", "Three", "Four"};

}  // namespace

HarnessPlugin::HarnessPlugin() {
  GetParam(kKnob)->DefineDouble("Knob", 50.0, 0.0, 100.0, 0.01, "%");
  GetParam(kSwitch)->DefineDouble("Switch", 0.0, 0.0, 1.0, 1.0);
  GetParam(kContact)->DefineDouble("Contact", 0.0, 0.0, 1.0, 1.0);
  GetParam(kMenu)->DefineDouble("Menu", 0.0, 0.0, kMenuValues - 1, 1.0);
  for (int v = 0; v < kMenuValues; ++v)
    GetParam(kMenu)->SetDisplayText(v, kMenuTexts[v]);
  GetParam(kOpenFile)->DefineDouble("Open", 0.0, 0.0, 1.0, 1.0);
  GetParam(kSaveFile)->DefineDouble("Save", 0.0, 0.0, 1.0, 1.0);
  for (int i = kSaveFile + 1; i < NParams(); ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "P%d", i);
    GetParam(i)->DefineDouble(name, 0.5, 0.0, 1.0, 0.001);
  }
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
    if (edit.kind == Edit::kBegin) {
      if (open >= 0) return false;
      open = edit.idx;
    } else if (edit.kind == Edit::kEnd) {
      if (open != edit.idx) return false;
      open = -1;
    }
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
    menu.AppendText(kMenuTexts[v])->SetChecked(v == static_cast<int>(GetParam()->Value()));
  menu.AppendSubmenu("More", &more);
  IRectangle at = rect;
  IPopupMenu* chosen = plug->GetGui()->ShowPopupMenu(&menu, &at);
  if (!chosen) return;
  const int v = (chosen == &more ? 3 : 0) + chosen->GetChosenIndex();
  SetValueFromUser(GetParam()->ToNormalized(v));
}

bool MenuTestControl::Draw(IGraphics* graphics) {
  const IColor colour{255, 40 + 50 * static_cast<int>(GetParam()->Value()), 90, 140};
  return graphics->FillRect(&colour, &rect, nullptr);
}

EditableTextControl::EditableTextControl(IPluginCore* plug, const IRectangle* r, const char* text)
    : ITextControl(plug, r, ITextStyle::Make("Arial", 14, kColorWhite, kTextNormal, kAlignLeft),
                   text) {}

void EditableTextControl::MouseDown(int, int, IMouseKeys* keys) {
  if (!keys || !keys->left || !plug->GetGui()) return;
  IRectangle at = rect;
  plug->GetGui()->ShowTextEntry(this, TextStyle(), &at, GetText(), nullptr);
}

void EditableTextControl::SetTextFromUser(const char* text) {
  ++textsFromUser;
  ReplaceText(text);
}

namespace TestEditor {

IGraphicsWin* Build(HarnessPlugin* plug, const char* folder, void* moduleInstance) {
  auto* gui = new IGraphicsWin(plug, kWidth, kHeight);
  gui->SetModuleInstance(moduleInstance ? moduleInstance : GetModuleHandleW(nullptr));
  gui->AttachBackground();
  auto strip = [&](int id, int frames) {
    return gui->LoadImageStrip(id, "picture.png", frames, 40, 40);
  };
  auto* knob = new IKnobMultiControl(plug, 100, 100, HarnessPlugin::kKnob,
                                     strip(kKnobImage, kKnobFrames), kKnobGearing);
  knob->DisablePrompt(false);
  gui->AddControl(knob);
  gui->AddControl(
      new ISwitchControl(plug, 200, 100, HarnessPlugin::kSwitch, strip(kSwitchImage, 2)));
  gui->AddControl(
      new IContactControl(plug, 260, 100, HarnessPlugin::kContact, strip(kContactImage, 2)));
  const ITextStyle labelStyle = ITextStyle::Make("Arial", 16, kColorWhite, kTextBold, kAlignCenter);
  gui->AddControl(new ITextControl(plug, &kLabelRect, labelStyle, "Tovalune"));
  gui->AddControl(new IFileSelectorControl(plug, &kOpenRect, HarnessPlugin::kOpenFile,
                                           strip(kLoadImage, 1), IFileSelectorControl::kOpen,
                                           folder));
  gui->AddControl(new IFileSelectorControl(plug, &kSaveRect, HarnessPlugin::kSaveFile,
                                           strip(kSaveImage, 1), IFileSelectorControl::kSave,
                                           folder));
  gui->AddControl(new MenuTestControl(plug, &kMenuRect, HarnessPlugin::kMenu));
  gui->AddControl(new EditableTextControl(plug, &kEditableRect, "edit me"));
  plug->AttachGui(gui);
  return gui;
}

}  // namespace TestEditor
