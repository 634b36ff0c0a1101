// The instrument's editor as the instrument sees it: the controls Tovalune::BuildEditor made and
// the link that hands panel visibility and label texts to them. Nothing here touches a control
// from the thread that changes a parameter: visibility and texts wait in the editor's fixed
// slots (IGraphics::PushHidden, IGraphics::PushText) until the window's next tick.
#pragma once

#include "instrument/editor_link.h"

class IControl;
class IFileSelectorControl;
class IGraphics;
class ITextControl;

class InstrumentEditor : public EditorLink {
 public:
  // The most controls one effect panel has: its picture, its switch and five knobs.
  static constexpr int kMaxPanelControls = 7;

  // For the controls of graphics (not owned: the plug-in owns the editor). Creating thread;
  // allocates nothing.
  explicit InstrumentEditor(IGraphics* graphics);
  // The instrument lets go of its editor (it is being deleted or replaced): a press still held
  // ends now, while the instance can hear a key or the pitch wheel let go. Window thread.
  ~InstrumentEditor() override;

  // ---- EditorLink: any thread under the instance lock; allocate nothing ----

  // Hides or shows every control of the panel at the next tick.
  void PanelVisibilityChanged(int panel, bool hidden) override;
  // The label's text control shows text from the next tick on.
  void LabelChanged(EditorLabel label, const char* text) override;

  // ---- Recorded while building (creating thread) ----

  // Control controlIdx belongs to panel (0..7); false when the panel is unknown or full.
  // Allocates nothing.
  bool AddPanelControl(int panel, int controlIdx);
  // The text control that shows a label; false when the editor has no text slot for it.
  // Allocates.
  bool SetLabelControl(EditorLabel label, ITextControl* control);
  // The control of a preset file selector. Allocates nothing.
  void SetFileSelector(PresetFileSelector selector, IFileSelectorControl* control);

  // ---- Read access (window thread, or any thread under the instance lock) ----

  IGraphics* Graphics() const { return graphics; }
  ITextControl* LabelControl(EditorLabel label) const;
  IFileSelectorControl* FileSelector(PresetFileSelector selector) const;
  int PanelControlCount(int panel) const;
  // Index (in the editor's list) of control k of the panel, -1 when there is none.
  int PanelControl(int panel, int k) const;
  // The pixel scale the editor was built at (1 or 2).
  static int Scale();

 private:
  struct Panel {
    int controls[kMaxPanelControls];
    int count;
  };

  IGraphics* graphics;
  Panel panels[kPanelCount] = {};
  ITextControl* labels[kLabelCount] = {};
  int textSlots[kLabelCount] = {-1, -1, -1};
  IFileSelectorControl* fileSelectors[kSelectorCount] = {};
};
