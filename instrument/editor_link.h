// Everything the instrument does to its editor: pushing values to bound controls, hiding and
// showing the effect panels, the three label texts, the preset folder and the files of the load
// and save selectors, and the file requests that only the user's file dialogs make.
//
// This class is also the default: it keeps what the instrument relies on (labels, panel states,
// selector files, pending requests) and forwards value pushes to the editor attached to the
// plug-in base, if any. An editor plugs in by deriving from it, overriding the virtual operations
// to touch its controls and calling the base operations so that the kept state stays true.
#pragma once

#include <string>

class IPluginCore;

enum class EditorLabel : int { kFxSlot1 = 0, kFxSlot2 = 1, kPresetName = 2 };
enum class PresetFileSelector : int { kLoad = 0, kSave = 1 };

class EditorLink {
 public:
  static constexpr int kPanelCount = 8;  // chorus .. bitcrusher (slot 1), delay, reverb (slot 2)
  static constexpr int kLabelCapacity = 64;  // bytes, including the NUL; longer texts are cut

  // Creating thread; allocates nothing.
  explicit EditorLink(IPluginCore* plug);
  virtual ~EditorLink();

  EditorLink(const EditorLink&) = delete;
  EditorLink& operator=(const EditorLink&) = delete;

  // Hands a value to the controls bound to paramIdx (the attached editor's, when there is one).
  // Audio or window thread under the instance lock; allocates nothing.
  virtual void PushParamToControls(int paramIdx, double value, bool normalized);
  // Hides (or shows) every control of one effect panel, its picture first. An index outside
  // 0..7 does nothing. Audio or window thread under the instance lock; allocates nothing.
  virtual void HidePanel(int panel, bool hide);
  // Replaces a label's text (null counts as empty). Audio or window thread under the instance
  // lock; allocates nothing.
  virtual void ReplaceLabelText(EditorLabel label, const char* text);
  // The file a selector names ("" when none). Under the instance lock; allocates.
  virtual std::string SelectedFile(PresetFileSelector selector) const;
  // Makes a selector name a file. Under the instance lock; allocates.
  virtual void SetSelectedFile(PresetFileSelector selector, const std::string& path);

  // The user finished a selector's file dialog with a file: the selector names it and one load
  // or save request is pending until the selector's parameter change takes it. A cancelled
  // dialog (empty path) names nothing and requests nothing. Window thread; takes the instance
  // lock; allocates.
  void CompleteFileDialog(PresetFileSelector selector, const std::string& path);
  // True (once) when the user's dialog asked for this selector's action. Under the instance
  // lock; allocates nothing.
  bool TakeFileRequest(PresetFileSelector selector);

  // The folder the file dialogs open in, with back-slashes. Creating thread; allocates.
  void SetPresetFolder(const std::string& folder);
  const std::string& PresetFolder() const { return presetFolder; }

  // What the controls were last told (any thread under the instance lock; allocate nothing).
  bool IsPanelHidden(int panel) const;
  const char* LabelText(EditorLabel label) const;

 protected:
  IPluginCore* Plug() const { return plug; }

 private:
  static constexpr int kLabelCount = 3;
  static constexpr int kSelectorCount = 2;

  IPluginCore* plug;
  bool panelHidden[kPanelCount] = {};
  char labels[kLabelCount][kLabelCapacity] = {};
  std::string selectedFiles[kSelectorCount];
  bool requests[kSelectorCount] = {};
  std::string presetFolder;
};
