#include "instrument/tovalune.h"

#include <new>
#include <string>

#include "engine/engine_params.h"
#include "engine/param_table.h"
#include "instrument/editor/instrument_editor.h"

namespace {

constexpr double kParamStep = 0.00001;
constexpr double kParamShape = 1.0;

}  // namespace

Tovalune::Tovalune() {
  engine = SynthEngine::Create(GetSampleRate());
  DefineParameters();
  currentPreset = 0.0f;
  AllNotesOff();
  BuildEditor();
  ParamChanged(EngineParam::FXSlot1Selector);
  ParamChanged(EngineParam::FXSlot2Selector);
  // The editor shows the panels and labels of the selectors from its first paint on.
  if (IGraphicsLink* gui = GetGuiLink()) {
    MutexLock lock(GetMutex());
    gui->ApplyPendingUpdates();
  }
  CreateInitPreset();
}

Tovalune::~Tovalune() {
  DropEditorView();
  SynthEngine::Destroy(engine);
  engine = nullptr;
}

void Tovalune::DefineParameters() {
  // The engine's own table names every parameter; without an engine its static table does.
  const EngineParamTable::Row* rows = EngineParamTable::Rows();
  for (int i = 0; i < EngineParam::kCount; ++i) {
    IParameter* param = GetParam(i);
    if (!param) continue;
    if (engine && engine->paramInfo && i < engine->parameterCount) {
      const EngineParamInfo& info = engine->paramInfo[i];
      param->DefineDouble(info.name, info.defaultValue, info.minimum, info.maximum, kParamStep,
                          info.units ? info.units : "", kParamShape);
    } else {
      param->DefineDouble(rows[i].name, rows[i].defaultValue, rows[i].minimum, rows[i].maximum,
                          kParamStep, "", kParamShape);
    }
  }
}

void Tovalune::Reset() {
  MutexLock lock(GetMutex());
  if (!engine) {
    // Creation failed earlier (no memory): try again now that the host is setting up.
    engine = SynthEngine::Create(GetSampleRate());
  }
  if (engine) {
    const double rate = GetSampleRate();
    // The engine refuses rates it cannot run at and then keeps its own.
    if (rate >= SynthEngine::kMinSampleRate && rate <= SynthEngine::kMaxSampleRate)
      engine->sampleRate = rate;
    SynthEngine::Reset(engine, rate, engine->blockSize);
    for (int i = 0; i < EngineParam::kCount; ++i)
      WriteEngine(i, ParamValue(i));
  }
  PresetSelectorToRest();
  midiQueue.Resize(GetBlockSize());
  AllNotesOff();
  ParamChanged(EngineParam::FXSlot1Selector);
  ParamChanged(EngineParam::FXSlot2Selector);
}

void Tovalune::AllNotesOff() {
  for (bool& held : heldKeys)
    held = false;
  noteStack.Clear();
  retrigCounter = 0.0f;
  polyVoice = 0;
  for (int v = 0; v < kVoiceTableSize; ++v) {
    voiceNote[v] = 0;
    voiceBusy[v] = false;
    voiceHeld[v] = false;
  }
  sustainPedal = 0;
  for (int v = 0; v < kVoiceTableSize; ++v)
    WriteEngine(EngineParam::VoiceParam(v, EngineParam::NoteGate), 0.0);
  for (int v = 0; v < kVoiceTableSize; ++v)
    WriteRecord(EngineParam::VoiceParam(v, EngineParam::NoteGate), 0.0);
}

void Tovalune::AttachGui(IGraphicsLink* gui) {
  if (gui && editorView && gui->GetGraphics() != editorView->Graphics()) {
    DropEditorView();  // the built editor is about to go
  }
  TovaluneBinding::AttachGui(gui);
}

void Tovalune::DropEditorView() {
  InstallEditorLink(nullptr);  // nothing may reach the view's controls any more
  delete editorView;
  editorView = nullptr;
}

void Tovalune::InstallEditorLink(EditorLink* link) {
  MutexLock lock(GetMutex());
  editorState.SetLink(link);
  EditorLink& installed = editorState.Link();
  for (int panel = 0; panel < EditorLink::kPanelCount; ++panel)
    installed.PanelVisibilityChanged(panel, panelHidden[panel]);
  for (int i = 0; i < EditorLink::kLabelCount; ++i) {
    const EditorLabel label = static_cast<EditorLabel>(i);
    installed.LabelChanged(label, editorState.LabelText(label));
  }
}

void Tovalune::SetPanelHidden(int panel, bool hidden) {
  if (panel < 0 || panel >= EditorLink::kPanelCount || panelHidden[panel] == hidden) return;
  panelHidden[panel] = hidden;
  editorState.Link().PanelVisibilityChanged(panel, hidden);
}

bool Tovalune::PanelHidden(int panel) const {
  return panel >= 0 && panel < EditorLink::kPanelCount && panelHidden[panel];
}

int Tovalune::UnserializeState(const HeapBuffer* chunk, int pos) {
  MutexLock lock(GetMutex());
  restoring = true;
  const int result = TovaluneBinding::UnserializeState(chunk, pos);
  restoring = false;
  // A refused chunk changed nothing, so nothing needs to come to rest either.
  if (result >= 0) RestMomentaryParams();
  return result;
}

double Tovalune::ParamValue(int idx) const {
  const IParameter* param = GetParam(idx);
  return param ? param->Value() : 0.0;
}

void Tovalune::WriteRecord(int idx, double value) {
  if (IParameter* param = GetParam(idx)) param->SetClamped(value);
}

void Tovalune::WriteEngine(int idx, double value) {
  if (engine && idx >= 0) SynthEngine::SetParameter(engine, static_cast<uint32_t>(idx), value);
}
