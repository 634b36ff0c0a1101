#include "instrument/editor_link.h"

#include <cstdio>

#include "framework/plugin_core.h"

EditorLink::EditorLink(IPluginCore* owner) : plug(owner) {
  ReplaceLabelText(EditorLabel::kPresetName, "< Presets Library >");
}

EditorLink::~EditorLink() = default;

void EditorLink::PushParamToControls(int paramIdx, double value, bool normalized) {
  if (!plug) return;
  if (IGraphicsLink* gui = plug->GetGuiLink())
    gui->PushParamToControls(paramIdx, value, normalized);
}

void EditorLink::HidePanel(int panel, bool hide) {
  if (panel < 0 || panel >= kPanelCount) return;
  panelHidden[panel] = hide;
}

void EditorLink::ReplaceLabelText(EditorLabel label, const char* text) {
  const int i = static_cast<int>(label);
  if (i < 0 || i >= kLabelCount) return;
  std::snprintf(labels[i], kLabelCapacity, "%s", text ? text : "");
}

std::string EditorLink::SelectedFile(PresetFileSelector selector) const {
  const int i = static_cast<int>(selector);
  if (i < 0 || i >= kSelectorCount) return std::string();
  return selectedFiles[i];
}

void EditorLink::SetSelectedFile(PresetFileSelector selector, const std::string& path) {
  const int i = static_cast<int>(selector);
  if (i < 0 || i >= kSelectorCount) return;
  selectedFiles[i] = path;
}

void EditorLink::CompleteFileDialog(PresetFileSelector selector, const std::string& path) {
  const int i = static_cast<int>(selector);
  if (i < 0 || i >= kSelectorCount || path.empty()) return;
  MutexLock lock(plug ? plug->GetMutex() : nullptr);
  try {
    SetSelectedFile(selector, path);
    requests[i] = true;
  } catch (...) {
    // Without memory for the name the dialog's choice is dropped, as if it had been cancelled.
  }
}

bool EditorLink::TakeFileRequest(PresetFileSelector selector) {
  const int i = static_cast<int>(selector);
  if (i < 0 || i >= kSelectorCount || !requests[i]) return false;
  requests[i] = false;
  return true;
}

void EditorLink::SetPresetFolder(const std::string& folder) {
  presetFolder = folder;
}

bool EditorLink::IsPanelHidden(int panel) const {
  return panel >= 0 && panel < kPanelCount && panelHidden[panel];
}

const char* EditorLink::LabelText(EditorLabel label) const {
  const int i = static_cast<int>(label);
  return i >= 0 && i < kLabelCount ? labels[i] : "";
}
