#include "instrument/editor/instrument_editor.h"

#include "graphics/graphics.h"
#include "instrument/editor/editor_scale.h"

InstrumentEditor::InstrumentEditor(IGraphics* editorGraphics) : graphics(editorGraphics) {}

InstrumentEditor::~InstrumentEditor() {
  if (graphics) graphics->EndMousePress();
}

void InstrumentEditor::PanelVisibilityChanged(int panel, bool hidden) {
  if (panel < 0 || panel >= kPanelCount) return;
  const Panel& controls = panels[panel];
  for (int k = 0; k < controls.count; ++k)
    graphics->PushHidden(controls.controls[k], hidden);
}

void InstrumentEditor::LabelChanged(EditorLabel label, const char* text) {
  const int i = EditorTableRow(label, kLabelCount);
  if (i >= 0) graphics->PushText(textSlots[i], text);
}

bool InstrumentEditor::AddPanelControl(int panel, int controlIdx) {
  if (panel < 0 || panel >= kPanelCount || panels[panel].count == kMaxPanelControls) return false;
  Panel& controls = panels[panel];
  controls.controls[controls.count++] = controlIdx;
  return true;
}

bool InstrumentEditor::SetLabelControl(EditorLabel label, ITextControl* control) {
  const int i = EditorTableRow(label, kLabelCount);
  if (i < 0 || !control) return false;
  textSlots[i] = graphics->AddTextSlot(control);
  labels[i] = textSlots[i] >= 0 ? control : nullptr;
  return textSlots[i] >= 0;
}

void InstrumentEditor::SetFileSelector(PresetFileSelector selector, IFileSelectorControl* control) {
  const int i = EditorTableRow(selector, kSelectorCount);
  if (i >= 0) fileSelectors[i] = control;
}

ITextControl* InstrumentEditor::LabelControl(EditorLabel label) const {
  const int i = EditorTableRow(label, kLabelCount);
  return i >= 0 ? labels[i] : nullptr;
}

IFileSelectorControl* InstrumentEditor::FileSelector(PresetFileSelector selector) const {
  const int i = EditorTableRow(selector, kSelectorCount);
  return i >= 0 ? fileSelectors[i] : nullptr;
}

int InstrumentEditor::PanelControlCount(int panel) const {
  return panel >= 0 && panel < kPanelCount ? panels[panel].count : 0;
}

int InstrumentEditor::PanelControl(int panel, int k) const {
  if (k < 0 || k >= PanelControlCount(panel)) return -1;
  return panels[panel].controls[k];
}

int InstrumentEditor::Scale() {
  return EditorLayout::kEditorScale;
}
