// Tovalune::BuildEditor: the whole editor from the layout table the artwork is drawn from, at
// the scale this deliverable is compiled for.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "graphics/graphics.h"
#include "instrument/common_documents.h"
#include "instrument/editor/editor_layout.h"
#include "instrument/editor/editor_platform.h"
#include "instrument/editor/editor_scale.h"
#include "instrument/editor/instrument_editor.h"
#include "instrument/editor/pitch_wheel.h"
#include "instrument/editor/preset_file_selector.h"
#include "instrument/editor/preset_selector.h"
#include "instrument/editor/slot_selectors.h"
#include "instrument/tovalune.h"

namespace {

using namespace EditorLayout;
constexpr int kScale = kEditorScale;

IColor ToColor(const Colour& c) {
  return IColor{c.alpha, c.red, c.green, c.blue};
}

IColor PixelColor(uint32_t pixel) {
  return IColor{static_cast<int>(pixel >> 24), static_cast<int>((pixel >> 16) & 0xFF),
                static_cast<int>((pixel >> 8) & 0xFF), static_cast<int>(pixel & 0xFF)};
}

ITextStyle MakeStyle(const TextStyle& layout) {
  ITextStyle style = ITextStyle::Default();
  std::snprintf(style.face, sizeof(style.face), "%s", layout.face);
  style.size = Scaled(layout.size, kScale);
  style.colour = ToColor(layout.colour);
  style.entryBackground = ToColor(layout.entryBackground);
  style.entryTextColour = ToColor(layout.entryText);
  style.style = layout.style;
  style.alignment = layout.alignment;
  style.orientation = layout.orientation;
  style.quality = layout.quality;
  style.font = nullptr;
  return style;
}

// Everything the controls are made from.
struct Materials {
  IBitmapStrip strips[kImageCount];
  ITextStyle slotLabel;
  ITextStyle presetName;
  std::string presetFolder;

  const IBitmapStrip& Strip(int imageId) const { return strips[imageId - kFirstImageId]; }
  const ITextStyle& Style(TextStyleId id) const {
    return id == TextStyleId::kPresetName ? presetName : slotLabel;
  }
};

void LoadImages(IGraphics* graphics, Materials* materials) {
  for (int id : kImageLoadOrder) {
    const Image& image = ImageById(id);
    char name[128];
    std::snprintf(name, sizeof(name), "%s%s%s", kImageNamePrefix, image.stem, kImageNameSuffix);
    materials->strips[id - kFirstImageId] = graphics->LoadImageStrip(
        id, name, image.frames, Scaled(image.width, kScale), Scaled(image.height, kScale));
  }
}

IControl* MakeControl(Tovalune* plug, const Control& layout, const Materials& materials) {
  const IRectangle rect = [&] {
    const Rect r = Scaled(layout.rect, kScale);
    return IRectangle{r.left, r.top, r.right, r.bottom};
  }();
  const int x = rect.left;
  const int y = rect.top;
  const int param = layout.param;
  const char* folder = materials.presetFolder.c_str();
  switch (layout.kind) {
    case ControlKind::kBackground:
      return nullptr;  // attached first, by IGraphics::AttachBackground
    case ControlKind::kBitmap:
      return new (std::nothrow) IBitmapControl(plug, x, y, param, materials.Strip(layout.image));
    case ControlKind::kPitchWheel:
      return new (std::nothrow)
          IKnobMultiControl_pitchbendwheel(plug, materials.Strip(layout.image), kKnobGearing);
    case ControlKind::kKnob:
      return new (std::nothrow)
          IKnobMultiControl(plug, x, y, param, materials.Strip(layout.image), kKnobGearing);
    case ControlKind::kContact:
      return new (std::nothrow) IContactControl(plug, x, y, param, materials.Strip(layout.image));
    case ControlKind::kSwitch:
      return new (std::nothrow) ISwitchControl(plug, x, y, param, materials.Strip(layout.image));
    case ControlKind::kText:
      return new (std::nothrow)
          ITextControl(plug, &rect, materials.Style(layout.style), layout.text);
    case ControlKind::kFxSlot1Selector:
      return new (std::nothrow) IPopupMenu_FXSlot1Selector(plug, &rect);
    case ControlKind::kFxSlot2Selector:
      return new (std::nothrow) IPopupMenu_FXSlot2Selector(plug, &rect);
    case ControlKind::kPresetSelector:
      return new (std::nothrow) IPopupMenu_PresetSelector(plug, &rect);
    case ControlKind::kFileOpen:
      return new (std::nothrow) IFileSelectorControl_PresetFile(
          plug, &rect, param, materials.Strip(layout.image), IFileSelectorControl::kOpen, folder,
          &plug->Editor(), PresetFileSelector::kLoad);
    case ControlKind::kFileSave:
      return new (std::nothrow) IFileSelectorControl_PresetFile(
          plug, &rect, param, materials.Strip(layout.image), IFileSelectorControl::kSave, folder,
          &plug->Editor(), PresetFileSelector::kSave);
    case ControlKind::kPanel:
      return new (std::nothrow) IPanelControl(plug, &rect, PixelColor(layout.colour));
  }
  return nullptr;
}

// Remembers what the instrument needs of a control just added at controlIdx.
void Record(const Control& layout, IControl* control, int controlIdx, InstrumentEditor* view) {
  if (layout.panel >= 0) view->AddPanelControl(layout.panel, controlIdx);
  switch (layout.member) {
    case Member::kNone:
      break;
    case Member::kFxSlot1Label:
      view->SetLabelControl(EditorLabel::kFxSlot1, dynamic_cast<ITextControl*>(control));
      break;
    case Member::kFxSlot2Label:
      view->SetLabelControl(EditorLabel::kFxSlot2, dynamic_cast<ITextControl*>(control));
      break;
    case Member::kPresetNameLabel:
      view->SetLabelControl(EditorLabel::kPresetName, dynamic_cast<ITextControl*>(control));
      break;
    case Member::kLoadSelector:
      view->SetFileSelector(PresetFileSelector::kLoad,
                            dynamic_cast<IFileSelectorControl*>(control));
      break;
    case Member::kSaveSelector:
      view->SetFileSelector(PresetFileSelector::kSave,
                            dynamic_cast<IFileSelectorControl*>(control));
      break;
  }
}

// The library folder, written the way the system writes folders; "" when the documents folder
// is unknown (the dialogs then open wherever the system chooses).
std::string PresetDialogFolder() {
  const std::string documents = CommonDocumentsFolder();
  if (documents.empty()) return std::string();
  std::string folder = documents + "/VornAudio/Tovalune/Presets";
  for (char& c : folder) {
    if (c == '/') c = '\\';
  }
  return folder;
}

}  // namespace

void Tovalune::BuildEditor() {
  Materials materials;
  try {
    materials.presetFolder = PresetDialogFolder();
    editorState.SetPresetFolder(materials.presetFolder);
  } catch (...) {
    // Without memory for the folder text the dialogs open wherever the system chooses.
  }

  IGraphics* graphics =
      NewEditorGraphics(this, Scaled(kEditorWidth, kScale), Scaled(kEditorHeight, kScale),
                        kFramesPerSecond, TovaluneModuleHandle());
  if (!graphics) return;
  std::unique_ptr<InstrumentEditor> view(new (std::nothrow) InstrumentEditor(graphics));
  if (!view) {
    delete graphics;
    return;
  }

  graphics->AttachBackground();
  materials.slotLabel = MakeStyle(kSlotLabelStyle);
  materials.presetName = MakeStyle(kPresetNameStyle);
  LoadImages(graphics, &materials);
  for (const Control& layout : kControls) {
    IControl* control = MakeControl(this, layout, materials);
    if (!control) continue;
    // The editor owns the control from here on, even when it could not be added.
    const int idx = graphics->AddControl(control);
    if (idx >= 0) Record(layout, control, idx, view.get());
  }

  AttachGui(graphics);
  editorView = view.release();
  InstallEditorLink(editorView);
}
