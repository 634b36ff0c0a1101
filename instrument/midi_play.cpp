// MIDI in, voices out: the channel filter, the block loop, note allocation in the three voice
// modes, the sustain pedal, the controller map, pitch bend and the on-screen key display.
#include <algorithm>
#include <cmath>

#include "engine/engine_params.h"
#include "instrument/tovalune.h"

namespace {

using namespace EngineParam;

constexpr int kMaxDataByte = 127;
constexpr int kSustainController = 64;
constexpr int kAllNotesOffController = 123;
constexpr int kPedalDown = 127;
constexpr int kFirstShownKey = 36;
constexpr int kLastShownKey = 60;

struct ControllerRow {
  int controller;
  int param;
};

const ControllerRow kControllerMap[] = {
    {1, ModWheel},
    {3, Lfo1Rate},
    {5, Lfo2Rate},
    {7, MainVolume},
    {8, VoiceModeMonoUniPoly},
    {9, Osc1OvertonesCoeff},
    {10, Osc1OvertonesMath},
    {11, Osc1OvertonesMorph},
    {12, Osc1Pitch},
    {13, Osc2OvertonesCoeff},
    {14, Osc2OvertonesMath},
    {15, Osc2OvertonesMorph},
    {16, Osc2Pitch},
    {17, Osc1Level},
    {18, Osc2Level},
    {19, NoiseLevel},
    {20, PitchBendRngAmt},
    {21, PitchGlideAmt},
    {22, VoiceSpreadAmt},
    {23, Env1Attack},
    {24, Env1Decay},
    {25, Env1Sustain},
    {26, Env1Release},
    {27, Env1RetrigOffOn},
    {28, Env2Attack},
    {29, Env2Decay},
    {30, Env2Sustain},
    {31, Env2Release},
    {32, Env2RetrigOffOn},
    {33, EnvAmpAttack},
    {34, EnvAmpDecay},
    {35, EnvAmpSustain},
    {36, EnvAmpRelease},
    {37, EnvAmpRetrigOffOn},
    {38, ArpeggiatorMode},
    {39, ArpeggiatorBpmDivider},
    {71, FilterLpResonance},
    {72, FilterHpCutoff},
    {73, FilterLpKeyTrack},
    {74, FilterLpCutoff},
};

int MappedParam(int controller) {
  for (const ControllerRow& row : kControllerMap) {
    if (row.controller == controller) return row.param;
  }
  return -1;
}

}  // namespace

void Tovalune::ReceiveMidiMessage(const IMidiMessage* msg) {
  if (!msg) return;
  // MidiChannelInput is 1..16; channel byte 0 is MIDI channel 1. There is no omni setting.
  const double selected = std::trunc(ParamValue(MidiChannelInput) - 1.0);
  if (static_cast<double>(msg->status & 0x0F) != selected) return;
  midiQueue.Add(msg);
}

void Tovalune::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  bypassing = false;
  const double tempo = GetTempo();
  WriteRecord(HostTempoBpm, tempo);
  WriteEngine(HostTempoBpm, tempo);
  if (nFrames <= 0) return;

  // Each message takes effect at its own frame: the block is rendered in runs that end where the
  // next message is due. Messages due at or before a run's first frame are handled in queue
  // order before it; those due at nFrames or later wait for the next block.
  for (int done = 0; done < nFrames;) {
    const IMidiMessage* next = midiQueue.Front();
    while (next && next->offset <= done) {
      const IMidiMessage current = *next;
      midiQueue.RemoveFront();
      HandleMessage(current);
      next = midiQueue.Front();
    }
    const int runEnd = next && next->offset < nFrames ? next->offset : nFrames;
    RenderRun(inputs, outputs, done, runEnd - done);
    done = runEnd;
  }
  midiQueue.Flush(nFrames);
}

void Tovalune::BypassedBlock(int) {
  // The engine stands still while bypassed: what it held must not sound on afterwards.
  if (!bypassing) {
    AllNotesOff();
    bypassing = true;
  }
  for (const IMidiMessage* next = midiQueue.Front(); next; next = midiQueue.Front()) {
    const IMidiMessage current = *next;
    midiQueue.RemoveFront();
    const int kind = current.status >> 4;
    const bool noteOff =
        kind == IMidiMessage::kNoteOff || (kind == IMidiMessage::kNoteOn && current.data2 == 0);
    if (noteOff) ShowKey(false, current.data1);
  }
  midiQueue.Flush(0);
}

void Tovalune::RenderRun(double** inputs, double** outputs, int start, int frames) {
  const bool outputsPresent = outputs && outputs[0] && outputs[1];
  if (!outputsPresent || !engine) {
    // Without both outputs the engine would latch its buffer error; without an engine there is
    // nothing to render. Whatever output exists gets silence.
    for (int c = 0; outputs && c < 2; ++c) {
      if (outputs[c]) std::fill(outputs[c] + start, outputs[c] + start + frames, 0.0);
    }
    return;
  }
  const bool inputsPresent = inputs && inputs[0] && inputs[1];
  if (inputsPresent) {
    double* runInputs[2] = {inputs[0] + start, inputs[1] + start};
    double* runOutputs[2] = {outputs[0] + start, outputs[1] + start};
    SynthEngine::Perform(engine, runInputs, 2, runOutputs, 2, frames);
    return;
  }
  // Missing host inputs: the engine gets zeroed stand-ins, in pieces as long as they are.
  double* silent[2] = {silentInput, silentInput};
  for (int done = 0; done < frames;) {
    const int piece = std::min(frames - done, kSilentInputFrames);
    double* pieceOutputs[2] = {outputs[0] + start + done, outputs[1] + start + done};
    SynthEngine::Perform(engine, silent, 2, pieceOutputs, 2, piece);
    done += piece;
  }
}

void Tovalune::HandleMessage(const IMidiMessage& msg) {
  if (msg.status >= 0xF0) return;
  // Data bytes are 7-bit; a larger value (a raw byte, a host's wider pitch) is not MIDI.
  if (msg.data1 > kMaxDataByte || msg.data2 > kMaxDataByte) return;
  switch (msg.status >> 4) {
    case IMidiMessage::kNoteOff:
    case IMidiMessage::kNoteOn: {
      const bool noteOn = (msg.status >> 4) == IMidiMessage::kNoteOn && msg.data2 != 0;
      HandleNote(noteOn, msg.data1, msg.data2);
      ShowKey(noteOn, msg.data1);
      break;
    }
    case IMidiMessage::kControlChange:
      HandleControlChange(msg.data1, msg.data2);
      break;
    case IMidiMessage::kPitchWheel:
      HandlePitchBend(msg.PitchWheel());
      break;
    default:
      break;
  }
}

void Tovalune::HandleNote(bool noteOn, int note, int velocity) {
  const VoiceMode mode = VoiceModeOf(ParamValue(VoiceModeMonoUniPoly));
  if (mode == VoiceMode::Poly) {
    if (noteOn) {
      PolyNoteOn(note, velocity);
    } else {
      PolyNoteOff(note);
    }
    return;
  }
  const int voices = mode == VoiceMode::Mono ? 1 : kPlayedVoices;
  if (noteOn) {
    MonoOrUnisonNoteOn(voices, note, velocity);
  } else {
    MonoOrUnisonNoteOff(voices, note);
  }
}

void Tovalune::MonoOrUnisonNoteOn(int voices, int note, int velocity) {
  heldKeys[note] = true;
  for (int v = 0; v < voices; ++v)
    VoiceOn(v, note, velocity);
  if (ParamValue(EnvAmpRetrigOffOn) == 1.0) {
    StepRetrigCounter();
    for (int v = 0; v < voices; ++v)
      Retrigger(v, retrigCounter);
  }
  noteStack.Push(note, velocity);
}

void Tovalune::MonoOrUnisonNoteOff(int voices, int note) {
  heldKeys[note] = false;
  const bool wasOnTop = !noteStack.Empty() && noteStack.TopNote() == note;
  const bool removed = noteStack.Remove(note);
  // Only the release of the sounding note returns to an earlier one, which is attacked again.
  if (removed && wasOnTop && !noteStack.Empty() && ParamValue(EnvAmpRetrigOffOn) == 1.0) {
    StepRetrigCounter();
    for (int v = 0; v < voices; ++v)
      Retrigger(v, retrigCounter);
  }
  if (sustainPedal == 0) {
    for (int v = 0; v < voices; ++v)
      VoiceOff(v, note);
  }
  if (!noteStack.Empty() && AnyKeyHeld()) {
    for (int v = 0; v < voices; ++v)
      VoiceOn(v, noteStack.TopNote(), noteStack.TopVelocity());
  }
}

void Tovalune::PolyNoteOn(int note, int velocity) {
  polyVoice = 0;
  int voice = -1;
  for (int v = 0; v < kPlayedVoices - 1 && voice < 0; ++v) {
    if (voiceBusy[v]) {
      polyVoice = v + 1;
    } else {
      voice = v;
    }
  }
  if (voice < 0) {
    voice = kPlayedVoices - 1;
    if (voiceBusy[voice]) {
      // All four are busy: every voice counts as free again and voice 0 takes the note. The
      // others keep sounding until their note is released or a later note takes them.
      for (int v = 0; v < kPlayedVoices; ++v) {
        voiceBusy[v] = false;
        voiceHeld[v] = false;
      }
      polyVoice = 0;
      voice = 0;
    }
  }
  VoiceOn(voice, note, velocity);
  if (ParamValue(EnvAmpRetrigOffOn) == 1.0) {
    const int retrig = VoiceParam(voice, NoteRetrig);
    Retrigger(voice, ParamValue(retrig) == 0.0 ? 1.0 : 0.0);
  }
  voiceNote[voice] = note;
  voiceBusy[voice] = true;
  voiceHeld[voice] = true;
}

void Tovalune::PolyNoteOff(int note) {
  for (int v = 0; v < kVoiceTableSize; ++v) {
    if (voiceNote[v] != note) continue;
    if (sustainPedal == 0) {
      VoiceOff(v, note);
      voiceBusy[v] = false;
    }
    voiceHeld[v] = false;
  }
}

void Tovalune::ShowKey(bool noteOn, int note) {
  if (note < kFirstShownKey || note > kLastShownKey) return;
  const int idx = Key036A + (note - kFirstShownKey);
  const double value = noteOn ? 1.0 : 0.0;
  WriteEngine(idx, value);
  PushParamToGui(idx, value, true);
}

void Tovalune::HandleControlChange(int controller, int value) {
  if (controller == kSustainController) {
    if (value == 0) {
      sustainPedal = 0;
      ReleaseSustain();
    }
    if (value == kPedalDown) sustainPedal = kPedalDown;
    return;
  }
  if (controller == kAllNotesOffController) {
    AllNotesOff();
    return;
  }
  const int target = MappedParam(controller);
  if (target < 0) return;
  const double x = value / 127.0;
  if (IParameter* param = GetParam(target)) param->SetFromNormalized(x);
  WriteEngine(target, x);
  PushParamToGui(target, x, true);
  ParamChanged(target);
}

void Tovalune::ReleaseSustain() {
  const VoiceMode mode = VoiceModeOf(ParamValue(VoiceModeMonoUniPoly));
  if (mode == VoiceMode::Poly) {
    // Released voices fall silent but stay busy until all four are or all notes go off.
    for (int v = 0; v < kVoiceTableSize; ++v) {
      if (!voiceHeld[v]) GateOff(v);
    }
    return;
  }
  if (AnyKeyHeld()) return;
  const int voices = mode == VoiceMode::Mono ? 1 : kPlayedVoices;
  for (int v = 0; v < voices; ++v)
    GateOff(v);
}

void Tovalune::HandlePitchBend(double bend) {
  WriteRecord(PitchBend, bend);
  WriteEngine(PitchBend, bend);
  PushParamToGui(PitchBend, (bend + 1.0) / 2.0, true);
  ParamChanged(PitchBend);
}

void Tovalune::VoiceOn(int voice, int note, int velocity) {
  const int gate = VoiceParam(voice, NoteGate);
  const int number = VoiceParam(voice, NoteNumber);
  const int strength = VoiceParam(voice, NoteVelocity);
  WriteEngine(gate, 1.0);
  WriteEngine(number, note);
  WriteEngine(strength, velocity);
  WriteRecord(gate, 1.0);
  WriteRecord(number, note);
  WriteRecord(strength, velocity);
}

void Tovalune::VoiceOff(int voice, int note) {
  const int gate = VoiceParam(voice, NoteGate);
  const int number = VoiceParam(voice, NoteNumber);
  WriteEngine(gate, 0.0);
  WriteEngine(number, note);
  WriteRecord(gate, 0.0);
  WriteRecord(number, note);
}

void Tovalune::GateOff(int voice) {
  const int gate = VoiceParam(voice, NoteGate);
  WriteEngine(gate, 0.0);
  WriteRecord(gate, 0.0);
}

void Tovalune::Retrigger(int voice, double value) {
  const int retrig = VoiceParam(voice, NoteRetrig);
  WriteRecord(retrig, value);
  WriteEngine(retrig, value);
}

bool Tovalune::AnyKeyHeld() const {
  for (bool held : heldKeys) {
    if (held) return true;
  }
  return false;
}

void Tovalune::StepRetrigCounter() {
  // The engine retriggers on any change of NoteRetrig; the counter only has to move.
  retrigCounter += 0.01f;
  if (retrigCounter > 0.99f) retrigCounter = 0.0f;
}
