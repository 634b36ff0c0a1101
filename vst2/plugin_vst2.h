// The VST2 binding.
//
// IPluginVST2 adapts IPluginCore to a host of the VST 2.4 interface. It owns the AEffect record
// the host talks to and answers the record's entries: the dispatcher (opcodes become IPluginCore
// operations), the three audio entries (float replacing, float accumulating, double replacing)
// and the two parameter calls. Every entry takes the instance lock for the whole call. The
// binding asks the host for time, tempo and its identity, and reports edit gestures, through
// the host callback. Program and bank chunks carry the state behind an 8-byte "tffp" header.
// The instrument derives from it.
#pragma once

#include <cstdint>

#include "framework/plugin_core.h"
#include "vst2/vst2_abi.h"

class IPluginVST2 : public IPluginCore {
 public:
  static constexpr int32_t kDefaultBlockSize = 1024;
  static constexpr intptr_t kMaxBlockSize = 65536;  // larger host blocks render in pieces
  static constexpr int32_t kParamTextBytes = 32;    // what hosts allocate for parameter texts
  static constexpr intptr_t kMaxChunkBytes = 16 * 1024 * 1024;
  static constexpr int32_t kChunkMagic = 0x70666674;  // the bytes "tffp"
  static constexpr int32_t kChunkVersion = 0x00010000;
  static constexpr int32_t kChunkHeaderBytes = 8;
  static constexpr intptr_t kIdentity = 0x4E764566;  // 'NvEf'
  static constexpr intptr_t kVstVersion = 2400;
  static constexpr intptr_t kVendorSpecificHandled = 0xBEEF;
  static constexpr intptr_t kCockosAnswer = 0xBEEF0000;
  static constexpr int32_t kCockosExtensionsBit = 1;
  static constexpr int32_t kCockosViewAsConfigBit = 2;
  static constexpr double kStartTempo = 120.0;

  // Fills the AEffect, connects every channel and sizes the scratch for 1024 frames. The host
  // callback is set afterwards by the creation entry. Creating thread, under the creation lock;
  // allocates.
  IPluginVST2();
  // Releasing thread (effClose).
  ~IPluginVST2() override;

  // Stores the host callback (null: every host request answers 0). Creation entry only.
  void SetHostCallback(audioMasterCallback host) { hostCallback = host; }
  // The record the host talks to. Any thread; allocates nothing.
  AEffect* GetAEffect() { return &effect; }
  // Bits of the extension queries the host made. Any thread.
  int32_t CockosExtensionBits() const { return cockosBits; }

  // ---- AEffect entries; each takes the instance from effect->object (null: nothing). ----
  // Host threads other than audio; allocates for chunks and presets.
  static intptr_t VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                void* ptr, float opt);
  // Audio thread; allocate nothing.
  static void VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                  int32_t nFrames);
  static void VSTProcessAccumulating(AEffect* effect, float** inputs, float** outputs,
                                     int32_t nFrames);
  static void VSTProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs,
                                        int32_t nFrames);
  // Any host thread; allocate nothing.
  static float VSTGetParameter(AEffect* effect, int32_t index);
  static void VSTSetParameter(AEffect* effect, int32_t index, float value);

  // ---- IPluginCore operations ----
  // Edit gestures and display updates go to the host callback. Window thread.
  void BeginHostEdit(int idx) override;
  void PerformHostEdit(int idx, double normalized) override;
  void EndHostEdit(int idx) override;
  void NotifyHostPresetChange() override;
  // Asks the host's processing level. Audio thread.
  bool IsRenderingOffline() override;
  // Host time queries. Audio thread; allocate nothing.
  int GetSamplePosition() override;
  // The host's tempo; without a positive one the last valid tempo (first 120 BPM).
  double GetTempo() override;
  void GetTimeSignature(int* numerator, int* denominator) override;
  void GetTimeInfo(ITransportInfo* info) override;
  // Asks the host's product string and version once. Any host thread.
  int GetHostId() override;
  // The editor rectangle follows the attached editor's size. Window thread.
  void RequestGuiResize(int width, int height) override;
  // Channel limits of a few hosts and the channel counts; once per instance (effOpen).
  void ApplyHostQuirks() override;
  // As the base, then announces the editor to the host. Creating or window thread; allocates.
  void AttachGui(IGraphicsLink* gui) override;
  // As the base, and the descriptor's initial delay follows. Outside the audio path.
  void SetLatency(int samples) override;
  // One event to the host; true when the host took it. Audio thread; allocates nothing.
  bool SendMidiMessage(const IMidiMessage* msg) override;
  bool SendSysExMessage(const ISysExMessage* msg) override;

 private:
  // The dispatcher under the instance lock, by opcode group.
  intptr_t Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
  intptr_t SetProgram(intptr_t value);
  intptr_t SetProgramName(const void* ptr);
  intptr_t GetProgramNameIndexed(int32_t index, void* ptr);
  intptr_t GetParamText(int32_t opcode, int32_t index, void* ptr);
  intptr_t String2Parameter(int32_t index, const void* ptr);
  intptr_t SetHostSampleRate(float rate);
  intptr_t SetHostBlockSize(intptr_t value);
  intptr_t ProcessEvents(const void* ptr);
  intptr_t GetPinProperties(bool input, int32_t index, void* ptr);
  intptr_t SetSpeakerArrangement(intptr_t value, void* ptr);
  intptr_t GetSpeakerArrangement(intptr_t value, void* ptr);
  intptr_t VendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
  intptr_t CanDo(const void* ptr);
  intptr_t GetMidiKeyName(void* ptr);

  // Program and bank chunks (plugin_vst2_chunks.cpp).
  intptr_t GetChunk(int32_t index, void* ptr);
  intptr_t SetChunk(int32_t index, intptr_t size, const void* data);

  // The editor opcodes (plugin_vst2_editor.cpp).
  intptr_t EditGetRect(void* ptr);
  intptr_t EditOpen(void* parent);
  intptr_t EditClose();
  void UpdateEditorRect();
  bool EditorSize(int* width, int* height) const;
  bool OpenEditorWindow(void* parent);
  void CloseEditorWindow();

  // Audio (plugin_vst2_process.cpp).
  void AttachHostFloatBuffers(float** inputs, float** outputs, int32_t nFrames);
  void RenderDouble(double** inputs, double** outputs, int32_t nFrames);
  void BindDoublePiece(double** inputs, double** outputs, int32_t done, int32_t frames);

  // A host call with the instance's own AEffect; 0 without a host callback.
  intptr_t HostCall(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  const VstTimeInfo* AskHostTime(int32_t filter);
  // The arrangement record of a side with count channels.
  static void DescribeArrangement(VstSpeakerArrangement* arrangement, int32_t count);
  // Marks the first count channels of one side connected and the rest disconnected.
  void ConnectChannels(bool input, int32_t count);
  // Channel i of one side, and the number of connected channels of that side.
  IChannel* SideChannel(bool input, int32_t i) const;
  int32_t ConnectedChannels(bool input) const;

  ERect editorRect{};
  audioMasterCallback hostCallback = nullptr;
  VstSpeakerArrangement inputArrangement{};
  VstSpeakerArrangement outputArrangement{};
  bool hostQuirksApplied = false;
  int32_t cockosBits = 0;
  HeapBuffer programChunk{HeapBuffer::kPageGranularity};
  HeapBuffer bankChunk{HeapBuffer::kPageGranularity};
  double lastValidTempo = kStartTempo;
  AEffect effect{};
};

// The version word (major 16 bits, minor 8, patch 8) as the decimal number hosts show:
// major * 10000 + minor * 100 + patch. Any thread; allocates nothing.
int32_t DecimalVersion(int32_t versionWord);
// A host's decimal version as a version word, clamped so that it fits an int32; 0 for a
// version that is not positive. Any thread; allocates nothing.
int32_t PackedHostVersion(intptr_t decimal);
// Empties chunk and appends the 8-byte chunk header; false when it cannot grow. Owner's thread;
// allocates.
bool WriteChunkHeader(HeapBuffer* chunk);
// The version of a chunk header at *pos, advancing *pos past it; 0 with *pos unchanged when no
// header is there, 0 with *pos = -1 for a header cut short. Any thread; allocates nothing.
int32_t ReadChunkHeaderVersion(const HeapBuffer* chunk, int* pos);
