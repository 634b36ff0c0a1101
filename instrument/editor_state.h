// The editor-facing texts the instrument owns: the three labels, the files the load and save
// selectors name, the file requests that only the user's dialogs make, and the preset folder.
// Texts live in fixed buffers, so the audio thread can change them without allocating.
#pragma once

#include <string>
#include <string_view>

#include "instrument/editor_link.h"

class IPluginCore;

class EditorState {
 public:
  static constexpr int kLabelCapacity = 128;  // bytes, the NUL included; longer texts are cut
  static constexpr int kPathCapacity = 1024;  // bytes, the NUL included; longer paths are refused

  // Creating thread; allocates nothing.
  explicit EditorState(IPluginCore* plug);

  EditorState(const EditorState&) = delete;
  EditorState& operator=(const EditorState&) = delete;

  // The link that hears of label changes (never null: a link that does nothing by default).
  // Under the instance lock; allocates nothing.
  EditorLink& Link() const { return *link; }
  void SetLink(EditorLink* newLink) { link = newLink ? newLink : &noEditor; }

  // Replaces a label's text (null counts as empty; cut on a character boundary) and tells the
  // link when it changed. Any thread under the instance lock; allocates nothing.
  void ReplaceLabelText(EditorLabel label, const char* text);
  const char* LabelText(EditorLabel label) const;

  // The file a selector names ("" when none). Any thread under the instance lock; allocates
  // nothing.
  const char* SelectedFile(PresetFileSelector selector) const;
  // Makes a selector name a file. A path that does not fit is refused: the selector then names
  // no file and the result is false. Any thread under the instance lock; allocates nothing.
  bool SetSelectedFile(PresetFileSelector selector, std::string_view path);

  // The user finished a selector's file dialog with a file: the selector names it and one load
  // or save request is pending until the selector's parameter change takes it. A cancelled
  // dialog (empty path) or a path that does not fit names nothing and requests nothing.
  // Window thread; takes the instance lock; allocates nothing.
  void CompleteFileDialog(PresetFileSelector selector, std::string_view path);
  // True (once) when the user's dialog asked for this selector's action. Under the instance
  // lock; allocates nothing.
  bool TakeFileRequest(PresetFileSelector selector);

  // The folder the file dialogs open in, with back-slashes. Creating thread; allocates.
  void SetPresetFolder(const std::string& folder) { presetFolder = folder; }
  const std::string& PresetFolder() const { return presetFolder; }

 private:
  IPluginCore* plug;
  EditorLink noEditor;
  EditorLink* link = &noEditor;
  char labels[EditorLink::kLabelCount][kLabelCapacity] = {};
  char selectedFiles[EditorLink::kSelectorCount][kPathCapacity] = {};
  bool requests[EditorLink::kSelectorCount] = {};
  std::string presetFolder;
};
