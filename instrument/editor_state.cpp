#include "instrument/editor_state.h"

#include <cstring>

#include "framework/plugin_core.h"
#include "framework/utf8_text.h"

EditorState::EditorState(IPluginCore* owner) : plug(owner) {
  ReplaceLabelText(EditorLabel::kPresetName, "< Presets Library >");
}

void EditorState::ReplaceLabelText(EditorLabel label, const char* text) {
  const int i = EditorTableRow(label, EditorLink::kLabelCount);
  if (i < 0) return;
  char replacement[kLabelCapacity];
  CopyUtf8Cut(replacement, kLabelCapacity, text);
  if (std::strcmp(replacement, labels[i]) == 0) return;
  std::memcpy(labels[i], replacement, sizeof(replacement));
  link->LabelChanged(label, labels[i]);
}

const char* EditorState::LabelText(EditorLabel label) const {
  const int i = EditorTableRow(label, EditorLink::kLabelCount);
  return i >= 0 ? labels[i] : "";
}

const char* EditorState::SelectedFile(PresetFileSelector selector) const {
  const int i = EditorTableRow(selector, EditorLink::kSelectorCount);
  return i >= 0 ? selectedFiles[i] : "";
}

bool EditorState::SetSelectedFile(PresetFileSelector selector, std::string_view path) {
  const int i = EditorTableRow(selector, EditorLink::kSelectorCount);
  if (i < 0) return false;
  // A cut path could name another file; a path that does not fit names none.
  const bool fits =
      path.size() < static_cast<size_t>(kPathCapacity) && path.find('\0') == std::string_view::npos;
  const size_t length = fits ? path.size() : 0;
  if (length > 0) std::memcpy(selectedFiles[i], path.data(), length);
  selectedFiles[i][length] = '\0';
  return fits;
}

void EditorState::CompleteFileDialog(PresetFileSelector selector, std::string_view path) {
  const int i = EditorTableRow(selector, EditorLink::kSelectorCount);
  if (i < 0 || path.empty()) return;
  MutexLock lock(plug ? plug->GetMutex() : nullptr);
  if (SetSelectedFile(selector, path)) requests[i] = true;
}

bool EditorState::TakeFileRequest(PresetFileSelector selector) {
  const int i = EditorTableRow(selector, EditorLink::kSelectorCount);
  if (i < 0 || !requests[i]) return false;
  requests[i] = false;
  return true;
}
