// What the instrument tells its editor, and the state it keeps for it.
//
// The instrument owns everything its editor shows besides parameter values: which effect panels
// are hidden (Tovalune::PanelHidden), the three label texts and the files of the load and save
// selectors (EditorState). An editor implements EditorLink and is told only of changes; values
// reach the editor's controls through IPluginCore::PushParamToGui. Without an editor the default
// link does nothing and the instrument behaves the same.
#pragma once

enum class EditorLabel : int { kFxSlot1 = 0, kFxSlot2 = 1, kPresetName = 2 };
enum class PresetFileSelector : int { kLoad = 0, kSave = 1 };

// The row of a label or selector in a table of count rows, or -1 for a value outside it.
// Any thread; allocates nothing.
template <class Enum>
constexpr int EditorTableRow(Enum e, int count) {
  const int i = static_cast<int>(e);
  return i >= 0 && i < count ? i : -1;
}

class EditorLink {
 public:
  static constexpr int kPanelCount = 8;  // chorus .. bitcrusher (slot 1), delay, reverb (slot 2)
  static constexpr int kLabelCount = 3;
  static constexpr int kSelectorCount = 2;  // the load and save file selectors

  virtual ~EditorLink() = default;

  // A panel (0..7) was hidden or shown. Any thread under the instance lock (the audio thread
  // included); must not allocate and must not touch controls: editors hand it to
  // IGraphics::PushHidden.
  virtual void PanelVisibilityChanged(int panel, bool hidden) {
    (void)panel;
    (void)hidden;
  }
  // A label has a new text, valid during the call only. Any thread under the instance lock;
  // must not allocate: editors hand it to IGraphics::PushText.
  virtual void LabelChanged(EditorLabel label, const char* text) {
    (void)label;
    (void)text;
  }
};
