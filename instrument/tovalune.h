// The Tovalune instrument: the one plug-in class. It owns the synthesis engine, defines the 195
// parameters from the engine's table, plays the engine's four voices from MIDI (mono with
// legato, unison and poly, with sustain, a controller map and pitch bend), routes every
// parameter change into the engine, and reads and writes one-line preset files, including the
// numbered factory library in the common documents folder.
//
// It derives from the binding's base (TovaluneBinding, from "tovalune_binding.h"), so the same
// sources build into every plug-in format. Its editor (instrument/editor/) is built once, in the
// constructor, from the layout table the artwork is drawn from. Values reach the editor through
// PushParamToGui; panel visibility, labels and selector files through EditorLink and EditorState
// (instrument/editor_link.h, instrument/editor_state.h), which InstrumentEditor carries to the
// controls.
#pragma once

#include <cstdint>

#include "engine/synth_engine.h"
#include "framework/framework.h"
#include "instrument/editor_link.h"
#include "instrument/editor_state.h"
#include "instrument/note_stack.h"
#include "tovalune_binding.h"

class InstrumentEditor;

class Tovalune : public TovaluneBinding {
 public:
  static constexpr int kKeyCount = 128;            // MIDI note numbers
  static constexpr int kVoiceTableSize = 8;        // the engine's voice parameter families
  static constexpr int kPlayedVoices = 4;          // voices that MIDI plays
  static constexpr int kSilentInputFrames = 1024;  // frames of the zeroed stand-in input

  // Builds the engine, the parameters, the editor seam and the "Init" preset slot.
  // Creating thread; allocates.
  Tovalune();
  // Lets go of the editor's controls and destroys the engine; the base deletes the editor.
  // Releasing thread.
  ~Tovalune() override;

  Tovalune(const Tovalune&) = delete;
  Tovalune& operator=(const Tovalune&) = delete;

  // The sample rate or block size changed: resets the engine and pushes every value into it
  // again, returns PresetSelector to 0 and drops every note. Non-audio host thread; may
  // allocate (the MIDI queue, or a new engine when none could be had before).
  void Reset() override;
  // Parameter idx has a new value: copies it into the engine and reacts (see param_routing.cpp).
  // Any host thread; takes the instance lock. Allocates only for preset file work.
  void ParamChanged(int idx) override;
  // Writes the host tempo and renders nFrames frames, handling each queued message of the block
  // at its own frame. Audio thread under the instance lock; allocates nothing.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  // A bypassed block: the first one lets go of every voice; the queued messages are consumed,
  // notes that arrive while bypassed never sound and a note-off still puts its key out.
  // Audio thread under the instance lock; allocates nothing.
  void BypassedBlock(int nFrames) override;
  // Queues a message when it is on the channel that MidiChannelInput selects.
  // Audio thread (or the binding's MIDI thread under the instance lock); no lock of its own.
  void ReceiveMidiMessage(const IMidiMessage* msg) override;
  // Restores the state; momentary parameters (on-screen keys, preset commands) never act on a
  // restore and rest at 0 afterwards. Any host thread; takes the instance lock.
  int UnserializeState(const HeapBuffer* chunk, int pos) override;

  // Clears every key and voice table, lifts the sustain pedal and gates all eight engine voices
  // off. Caller holds the instance lock (or is the constructor); allocates nothing.
  void AllNotesOff();

  // Builds the editor with every control and attaches it (without a platform editor, natively,
  // only the dialogs' preset folder is set). Called once by the constructor; creating thread;
  // allocates.
  void BuildEditor();
  // Attaching an editor other than the one BuildEditor made lets go of that one's controls
  // first (the base deletes it). Window or creating thread; allocates.
  void AttachGui(IGraphicsLink* gui) override;

  // Preset files. The file names come from the editor's load and save selectors. True when the
  // file was read (at least one value applied) or written and put in place. Under the instance
  // lock (called from ParamChanged); allocate.
  bool LoadPresetFile();
  bool SavePresetFile();
  // Puts the library file of preset number PresetSelector into the load selector (an empty name
  // when the number has no file name or the documents folder is unknown). Under the instance
  // lock; allocates.
  void SelectFactoryPresetPath();
  // PresetSelector := its value -1 / +1, clamped to its range. Under the instance lock.
  void StepPresetBackward();
  void StepPresetForward();

  // ---- Read access for the editor and for tests (any thread under the instance lock) ----

  // The labels and selector files the editor shows and uses.
  EditorState& Editor() { return editorState; }
  // The controls of the editor BuildEditor made, or null when there is none.
  const InstrumentEditor* EditorView() const { return editorView; }
  // Installs the editor's link (null: none) and tells it every panel's visibility and every
  // label at once; afterwards it hears only of changes. The caller keeps ownership and keeps
  // the object alive while it is installed. Creating or window thread; takes the instance lock.
  void InstallEditorLink(EditorLink* link);
  // The engine, or null when it could not be created.
  const SynthEngineState* Engine() const { return engine; }
  double CurrentPreset() const { return currentPreset; }
  bool PanelHidden(int panel) const;
  int32_t SustainPedal() const { return sustainPedal; }
  const NoteStack& MonoNoteStack() const { return noteStack; }
  const IMidiEventQueue& MidiQueue() const { return midiQueue; }

 private:
  // Unhooks and deletes the controls' view of the editor BuildEditor made (the editor itself
  // stays with the base). Creating, window or releasing thread; allocates nothing.
  void DropEditorView();

  // Renders frames frames from frame start of the block's buffers (midi_play.cpp).
  void RenderRun(double** inputs, double** outputs, int start, int frames);
  // One MIDI message of the block (midi_play.cpp).
  void HandleMessage(const IMidiMessage& msg);
  void HandleNote(bool noteOn, int note, int velocity);
  void MonoOrUnisonNoteOn(int voices, int note, int velocity);
  void MonoOrUnisonNoteOff(int voices, int note);
  void PolyNoteOn(int note, int velocity);
  void PolyNoteOff(int note);
  void ShowKey(bool noteOn, int note);
  void HandleControlChange(int controller, int value);
  void ReleaseSustain();
  void HandlePitchBend(double bend);

  // Voice parameter writes in the order the engine and the records expect them.
  void VoiceOn(int voice, int note, int velocity);
  void VoiceOff(int voice, int note);
  void GateOff(int voice);
  void Retrigger(int voice, double value);
  bool AnyKeyHeld() const;
  void StepRetrigCounter();
  double ParamValue(int idx) const;
  void WriteRecord(int idx, double value);
  void WriteEngine(int idx, double value);

  // Parameter routing helpers (param_routing.cpp).
  void SetCoupledParam(int idx, double value);
  void ApplyFxSlot1Selector();
  void ApplyFxSlot2Selector();
  // Hides or shows a panel; the editor hears of it when it changed.
  void SetPanelHidden(int panel, bool hidden);
  void QueueKeyNote(int idx);
  void StepAndLoadPreset(bool forward);
  void LoadFactoryPresetTail();
  void PresetSelectorToRest();
  void RestMomentaryParams();
  void DefineParameters();

  // Preset file helpers (preset_file_io.cpp).
  void ApplyLoadedValue(int idx, double value);

  SynthEngineState* engine = nullptr;
  IMidiEventQueue midiQueue{1024, 1024};
  int32_t sustainPedal = 0;
  bool heldKeys[kKeyCount] = {};
  NoteStack noteStack;
  float retrigCounter = 0.0f;
  int32_t polyVoice = 0;
  int32_t voiceNote[kVoiceTableSize] = {};
  bool voiceBusy[kVoiceTableSize] = {};
  bool voiceHeld[kVoiceTableSize] = {};
  float currentPreset = 0.0f;
  bool panelHidden[EditorLink::kPanelCount] = {};
  bool restoring = false;  // a state restore is running: momentary parameters do not act
  bool bypassing = false;  // the host bypasses the blocks: the voices were let go of

  EditorState editorState{this};
  InstrumentEditor* editorView = nullptr;  // owned; the base owns the editor itself

  // Stand-in for missing host inputs; the engine requires input buffers but never reads them.
  double silentInput[kSilentInputFrames] = {};
};
