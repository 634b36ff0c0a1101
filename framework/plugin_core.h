#pragma once

#include <cstdint>

#include "framework/channels.h"
#include "framework/graphics_link.h"
#include "framework/heap_buffer.h"
#include "framework/heap_string.h"
#include "framework/host_id.h"
#include "framework/latency_delay.h"
#include "framework/midi_message.h"
#include "framework/mutex.h"
#include "framework/parameter.h"
#include "framework/plugin_api.h"
#include "framework/preset_slot.h"
#include "framework/ptr_list.h"
#include "framework/transport_info.h"

// The base class of every plug-in instance. It holds the plug-in's identity, its parameter
// records and preset slots, its channel configuration with per-channel scratch buffers, the
// host's sample rate and block size, the attached editor and one recursive instance lock.
// A host binding derives from it and turns host calls into the virtual operations below; the
// instrument derives from the binding and overrides the processing and change hooks.
//
// Threads: the host calls in on its audio thread and on its window thread. The instance lock
// serialises them; it is recursive because the hooks nest (processing calls ParamChanged,
// restoring a state calls ParamChanged for every parameter).
class IPluginCore {
 public:
  static constexpr int32_t kParamCount = 195;
  static constexpr int32_t kNameSize = 128;  // effect, product and maker names incl. the NUL
  static constexpr const char* kChannelConfig = "2-2";
  static constexpr const char* kEffectName = "Tovalune";
  static constexpr const char* kMakerName = "VornAudio";
  static constexpr int32_t kUniqueId = FourCharCode("Vad2");
  static constexpr int32_t kMakerId = FourCharCode("Vrnq");
  static constexpr int32_t kVersion = 0x00010100;  // major 16 bits, minor 8, patch 8: 1.1.0

  // One pair of the channel configuration.
  struct IOPair {
    int32_t nIn;
    int32_t nOut;
  };

  // Creates the parameter records, one preset slot named "empty" and the channels of the
  // configuration "2-2". Creating thread; allocates.
  explicit IPluginCore(IPluginApi api = kApiVST3);

  // ---- Virtual operations, in slot order ----

  // Deletes the editor, every parameter, preset, channel, pair and bus name and the latency
  // delay. Releasing thread.
  virtual ~IPluginCore();
  // The processing context changed (sample rate, block size). Base: lock only. Any host thread.
  virtual void Reset();
  // Parameter idx has a new value. Base: lock only. Any host thread, under the instance lock.
  virtual void ParamChanged(int idx);
  // Renders nFrames into outputs. Base: copies input i to output i for every channel with both,
  // zeroes the other outputs. Audio thread, under the instance lock; must not allocate.
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
  // The same in single precision; no binding calls it. Audio thread; must not allocate.
  virtual void ProcessBlockFloat(float** inputs, float** outputs, int nFrames);
  // The editor window opened / is about to close. Base: nothing. Window thread.
  virtual void GuiOpened();
  virtual void GuiClosing();
  // The host switched processing on or off. Base: lock only. Any host thread.
  virtual void Activate(bool active);
  // A MIDI message for the plug-in. Base: forwards it to SendMidiMessage. Audio thread.
  virtual void ReceiveMidiMessage(const IMidiMessage* msg);
  // A system exclusive message. Base: nothing. Audio thread.
  virtual void ReceiveSysExMessage(const ISysExMessage* msg);
  // The name of a MIDI key. Base: writes an empty name and answers false. Any thread.
  virtual bool GetMidiNoteName(int key, char* name);
  // Appends the plug-in's state to chunk (base: SerializeParams). Any host thread; allocates.
  virtual bool SerializeState(HeapBuffer* chunk);
  // Restores the state from chunk at pos (base: UnserializeParams); the position after the
  // state, or -1. Any host thread.
  virtual int UnserializeState(const HeapBuffer* chunk, int pos);
  // True when every parameter equals (within 0.00001 in single precision) the double stored at
  // data + 8 * pos with its index. Never called by the system. Any thread.
  virtual bool StateEquals(const unsigned char* data, int pos);
  // The editor was resized after a resize the plug-in requested. Base: nothing. Window thread.
  virtual void GuiResized();
  // The host is identified. Base: nothing. The binding's thread that identified it.
  virtual void HostIdentified();
  // Shows the host's context menu for a parameter. Base: nothing. Window thread.
  virtual void PopupHostContextMenu(int idx, int x, int y);
  // A control bound to parameter idx changed: sets the record from the normalized value,
  // tells the host (PerformHostEdit) and calls ParamChanged, under the instance lock.
  // Window thread.
  virtual void ApplyGuiParamValue(int idx, double normalized);
  // Edit gestures reported to the host. Window thread.
  virtual void BeginHostEdit(int idx) = 0;
  virtual void PerformHostEdit(int idx, double normalized) = 0;
  virtual void EndHostEdit(int idx) = 0;
  // Tells the host the presets changed. Never called by the system. Window thread.
  virtual void NotifyHostPresetChange() = 0;
  // Base: false. Never called by the system. Audio thread; allocates nothing.
  virtual bool IsRenderingOffline();
  // Host transport queries. Audio thread.
  virtual int GetSamplePosition() = 0;
  virtual double GetTempo() = 0;
  virtual void GetTimeSignature(int* numerator, int* denominator) = 0;
  virtual void GetTimeInfo(ITransportInfo* info) = 0;
  // The stored host id (kHostUninit until identified). Any thread.
  virtual int GetHostId();
  // The plug-in interface of this build. Any thread.
  virtual int GetApiId();
  // Asks the host for a new editor size. Window thread.
  virtual void RequestGuiResize(int width, int height) = 0;
  // Host-specific adjustments. Base: nothing. The host's opening thread.
  virtual void ApplyHostQuirks();
  // Takes ownership of the editor, pushes every parameter's normalized value to it and applies
  // them at once (the first value a control receives becomes its default), then prepares its
  // back buffer, under the instance lock. A null editor does nothing; attaching another editor
  // deletes the previous one. Window or creating thread; allocates.
  virtual void AttachGui(IGraphicsLink* gui);
  // Sets the latency in frames (a negative value counts as 0) and sizes the latency delay.
  // Outside the audio path; allocates.
  virtual void SetLatency(int samples);
  // Sends MIDI to the host; true when it was taken. Audio thread.
  virtual bool SendMidiMessage(const IMidiMessage* msg) = 0;
  // Base: false. Never called by the system. Audio thread.
  virtual bool SendSysExMessage(const ISysExMessage* msg);
  // Pushes every parameter's value to the editor's controls. Any host thread.
  virtual void RefreshParamControls();
  // A preset slot was restored or renamed. Base: nothing. Any host thread.
  virtual void CurrentPresetChanged();
  // Sizes every channel's scratch buffer to n doubles and zeroes it; nothing when n is the
  // current block size. A negative n counts as 0. Outside the audio path; allocates.
  virtual void SetBlockSize(int n);
  // The host bypassed a block of nFrames frames: nothing was rendered. The plug-in consumes what
  // it queued for the block, so that nothing waits to sound when the bypass ends. Base: nothing.
  // Audio thread, under the instance lock; allocates nothing.
  virtual void BypassedBlock(int nFrames);

  // ---- Identity and configuration (any thread; allocate nothing) ----

  // True when some pair of the channel configuration matches; -1 matches any count.
  bool LegalIO(int nIn, int nOut) const;
  const char* GetEffectName() const { return effectName; }
  const char* GetProductName() const { return productName; }
  const char* GetMakerName() const { return makerName; }
  int32_t GetUniqueId() const { return uniqueId; }
  int32_t GetMakerId() const { return makerId; }
  int32_t GetVersion() const { return version; }
  int32_t GetHostVersion() const { return hostVersion; }
  bool UsesStateChunks() const { return usesStateChunks; }
  bool IsInstrument() const { return isInstrument; }
  bool DoesMidi() const { return doesMidi; }
  bool IsBypassed() const { return bypassed; }
  void SetBypassed(bool bypass) { bypassed = bypass; }
  double GetSampleRate() const { return sampleRate; }
  // Stores a positive, finite sample rate; anything else is refused with false.
  bool SetSampleRate(double rate);
  int GetBlockSize() const { return blockSize; }
  int GetLatency() const { return latency; }
  int GetTailSize() const { return tailSize; }
  // Frames every channel's scratch buffer holds (0 until the block size is set). A binding that
  // points channels at their scratch for a block it renders itself keeps the block within this.
  int GetScratchFrames() const { return scratchFrames; }
  LatencyDelay* GetLatencyDelay() const { return latencyDelay; }
  // The instance lock.
  Mutex* GetMutex() { return &mutex; }

  // ---- Editor ----

  // The attached editor, or null. Any thread.
  IGraphics* GetGui() const { return gui ? gui->GetGraphics() : nullptr; }
  IGraphicsLink* GetGuiLink() const { return gui; }
  // The one road from the plug-in to the editor's controls: hands parameter idx's value
  // (normalized, or plain when normalized is false) to the attached editor, which shows it at
  // its next tick. Nothing without an editor. Any thread under the instance lock (the audio
  // thread included); allocates nothing.
  void PushParamToGui(int idx, double value, bool normalized) {
    if (gui) gui->PushParamToControls(idx, value, normalized);
  }

  // ---- Parameters (any thread; allocate nothing) ----

  int NParams() const { return params.GetCount(); }
  // Parameter i, or null outside [0, count).
  IParameter* GetParam(int i) const { return params.Get(i); }
  // Calls ParamChanged for every parameter in index order, under the instance lock.
  void NotifyAllParamsChanged();

  // Parameter groups as units: 0 for an empty group, otherwise the 1-based position of the
  // group text in the list of groups, appending it when it is new (the list borrows the text).
  // Returns 0 when the list cannot grow. Owner's thread; may allocate.
  int32_t FindOrAddUnitGroup(const char* group);
  int32_t NUnitGroups() const;
  // Group text of unit i + 1, or null.
  const char* GetUnitGroupName(int32_t i) const;

  // ---- Channels and the processing path ----

  int NInChannels() const { return inChannels.GetCount(); }
  int NOutChannels() const { return outChannels.GetCount(); }
  IInputChannel* GetInChannel(int i) const { return inChannels.Get(i); }
  IOutputChannel* GetOutChannel(int i) const { return outChannels.Get(i); }
  // The arrays of channel buffers that ProcessBlock receives.
  double** InputPointers() const { return static_cast<double**>(inputPointers.Get()); }
  double** OutputPointers() const { return static_cast<double**>(outputPointers.Get()); }

  // Attaches the host's float inputs for the coming block: for input channels from start to
  // min(start + count, channel count) - 1, each connected channel takes the next host pointer
  // (a disconnected one takes none). The samples are converted when the block is processed.
  // Audio thread, under the instance lock; allocates nothing.
  void AttachInputBuffers(int start, int count, float** host, int nFrames);
  // Attaches the host's float outputs for the coming block in the same way: each connected
  // output channel in range takes the next host pointer as its destination.
  // Audio thread, under the instance lock; allocates nothing.
  void AttachOutputBuffers(int start, int count, float** host);

  // Runs ProcessBlock over the attached host buffers and stores the outputs as floats into
  // them. A block longer than the scratch buffers runs in pieces no longer than they are, as
  // consecutive blocks; with no scratch at all the host outputs get silence. Every channel reads
  // and writes its scratch buffer; the host buffers are detached afterwards.
  // Audio thread, under the instance lock; allocates nothing.
  void ProcessBuffers(int nFrames);
  // The same, adding the outputs to what the host's buffers already hold.
  void ProcessBuffersAccumulating(int nFrames);
  // Bypass: the inputs delayed by the latency (or the plain copy of the base ProcessBlock, never
  // the override) reach the outputs, converted as in ProcessBuffers.
  void PassThroughBuffers(int nFrames);
  // Zeroes every channel's scratch buffer. Audio thread; allocates nothing.
  void ZeroScratchBuffers();
  // Frames per beat at the host's tempo, 0 when the tempo is not positive. Audio thread.
  double SamplesPerBeat();
  // Channel limits of some hosts: inputs from index 2 on are disconnected (pointing at their
  // scratch); with at least 3 outputs, outputs from index 2 on are connected.
  void LimitChannelsForHost();

  // Bus names kept for the bindings; an index outside the list gives "". Setting replaces the
  // name at idx or appends when idx is at or beyond the end. Owner's thread; may allocate.
  int NInputBusNames() const { return inputBusNames.GetCount(); }
  int NOutputBusNames() const { return outputBusNames.GetCount(); }
  const char* GetInputBusName(int idx) const;
  const char* GetOutputBusName(int idx) const;
  bool SetInputBusName(int idx, const char* name);
  bool SetOutputBusName(int idx, const char* name);

  // ---- State and presets (any host thread; may allocate) ----

  // Appends one little-endian double per parameter, in index order, under the instance lock.
  // False (chunk unchanged) when the chunk cannot grow.
  bool SerializeParams(HeapBuffer* chunk);
  // Reads one double per parameter from pos, under the instance lock. Values are clamped to
  // their range; a value that is not finite keeps the parameter's current value. Then
  // ParamChanged runs for every parameter. Returns the position after the last value, or -1
  // (nothing changed) when the chunk is missing or too short.
  int UnserializeParams(const HeapBuffer* chunk, int pos);

  int NPresets() const { return presets.GetCount(); }
  int GetCurrentPresetIdx() const { return currentPresetIdx; }
  IPresetSlot* GetPresetSlot(int i) const { return presets.Get(i); }
  // Slot i's name, "" outside the slots. Allocates nothing.
  const char* GetPresetName(int i) const;
  // The first slot not yet filled takes the name "Init" and the current state.
  void CreateInitPreset();
  // Up to count times, the first slot not yet filled takes the name (null: "Empty") and the
  // current state.
  void FillEmptyPresets(const char* name, int count);
  // Restores slot i (or, for a slot never filled, stores the current state into it as
  // "user preset N"); on success it becomes the current preset and the editor is refreshed.
  // False (nothing changed) for an index outside the slots or a failed restore.
  bool LoadPresetSlot(int i);
  // Stores the current state into the current slot (which counts as filled from then on) and
  // renames it when name is not empty. False when the state cannot be stored (slot unchanged).
  bool ModifyCurrentPreset(const char* name = nullptr);
  // Appends every slot: int32 name length, the name's bytes, a flag byte and, for a filled
  // slot, its state. False (chunk unchanged) when the chunk cannot grow.
  bool SerializePresets(HeapBuffer* chunk);
  // Reads every slot from pos, restoring each filled slot through the live parameters, then
  // restores the current slot. The whole chunk is checked first: a short or malformed chunk
  // changes nothing and gives -1. Otherwise the position after the last byte read.
  int UnserializePresets(const HeapBuffer* chunk, int pos);

 protected:
  // The host's identity as the binding learned it. Owner's thread.
  void SetHost(int32_t id, int32_t versionWord) {
    hostId = id;
    hostVersion = versionWord;
  }
  // Creates the latency delay (empty) when there is at least one input and none exists yet.
  // Creating thread; allocates.
  void CreateLatencyDelay();

  PtrList<IOPair> ioConfig;
  Mutex mutex;
  char effectName[kNameSize] = {};
  char productName[kNameSize] = {};
  char makerName[kNameSize] = {};
  int32_t uniqueId = kUniqueId;
  int32_t makerId = kMakerId;
  int32_t version = kVersion;
  IPluginApi apiId;
  int32_t hostId = kHostUninit;
  int32_t hostVersion = 0;
  bool usesStateChunks = false;
  bool isInstrument = true;
  bool doesMidi = true;
  bool bypassed = false;
  int32_t currentPresetIdx = 0;
  double sampleRate = 44100.0;
  int32_t blockSize = 0;
  int32_t latency = 0;
  int32_t tailSize = 0;
  LatencyDelay* latencyDelay = nullptr;
  HeapBuffer unitGroupNames{HeapBuffer::kPageGranularity};  // borrowed const char* texts
  IGraphicsLink* gui = nullptr;
  PtrList<IParameter> params;
  PtrList<IPresetSlot> presets;
  HeapBuffer inputPointers{HeapBuffer::kPageGranularity};   // double*, one per input channel
  HeapBuffer outputPointers{HeapBuffer::kPageGranularity};  // double*, one per output channel
  PtrList<IInputChannel> inChannels;
  PtrList<IOutputChannel> outChannels;
  PtrList<HeapString> inputBusNames;
  PtrList<HeapString> outputBusNames;

 private:
  enum class OutputMode { kReplace, kAccumulate };
  enum class BlockSource { kProcessBlock, kPassThrough };

  void ParseChannelConfiguration(const char* config);
  // Calls fn with every input channel, then every output channel.
  template <class Fn>
  void ForEachChannel(Fn fn) {
    for (int32_t i = 0; i < NInChannels(); ++i)
      fn(static_cast<IChannel*>(GetInChannel(i)));
    for (int32_t i = 0; i < NOutChannels(); ++i)
      fn(static_cast<IChannel*>(GetOutChannel(i)));
  }
  void RunBlockInPieces(int nFrames, BlockSource source, OutputMode mode);
  void DetachHostBuffers();
  // Copies input i to output i for every channel with both and zeroes the other outputs.
  void CopyInputsToOutputs(double** inputs, double** outputs, int nFrames);
  // Serialises the current state into slot's state buffer, replacing it; marks it filled.
  bool StoreStateIntoSlot(IPresetSlot* slot);
  // Checks the layout of a preset bank from pos; the position after it, or -1.
  int MeasurePresets(const HeapBuffer* chunk, int pos) const;

  // Frames every scratch buffer holds (the shortest of them).
  int32_t scratchFrames = 0;
};
