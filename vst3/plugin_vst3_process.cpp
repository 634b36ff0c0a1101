// The processor half of IPluginVST3: bus arrangements, the processing set-up
// and the per-block process call.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "vst3/plugin_vst3.h"
#include "vst3/speaker_arrangement.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Channel k of a host bus in the given sample size, or null when the host gave none.
void* HostChannel(const AudioBusBuffers* bus, int k, int32 sampleSize) {
  if (!bus || k < 0 || k >= bus->numChannels) return nullptr;
  if (sampleSize == kSample64) return bus->channelBuffers64 ? bus->channelBuffers64[k] : nullptr;
  return bus->channelBuffers32 ? bus->channelBuffers32[k] : nullptr;
}

}  // namespace

tresult PLUGIN_API IPluginVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts) {
  MutexLock lock(GetMutex());
  for (int i = 0; i < NInChannels(); ++i)
    GetInChannel(i)->PointAtScratch();
  for (int i = 0; i < NOutChannels(); ++i)
    GetOutChannel(i)->PointAtScratch();

  const int nIn = (numIns > 0 && inputs) ? ChannelCountOf(inputs[0]) : 0;
  const int nOut = (numOuts > 0 && outputs) ? ChannelCountOf(outputs[0]) : 0;
  if (!LegalIO(nIn, nOut)) return kResultFalse;

  AudioBus* input = GetAudioBus(kInput, 0);
  if (input && ChannelCountOf(input->getArrangement()) != nIn) {
    ReplaceAudioBus(kInput, 0, SpeakerArrangementForChannels(nIn));
  }
  AudioBus* output = GetAudioBus(kOutput, 0);
  if (output && ChannelCountOf(output->getArrangement()) != nOut) {
    ReplaceAudioBus(kOutput, 0, SpeakerArrangementForChannels(nOut));
  }
  const bool busCountsMatch =
      numIns == getBusCount(kAudio, kInput) && numOuts == getBusCount(kAudio, kOutput);
  return busCountsMatch ? kResultOk : kResultFalse;
}

tresult PLUGIN_API IPluginVST3::setActive(TBool state) {
  Activate(state != 0);
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultOk
                                                                            : kResultFalse;
}

uint32 PLUGIN_API IPluginVST3::getLatencySamples() {
  return static_cast<uint32>(std::max(GetLatency(), 0));
}

uint32 PLUGIN_API IPluginVST3::getTailSamples() {
  return static_cast<uint32>(std::max(GetTailSize(), 0));
}

tresult PLUGIN_API IPluginVST3::setupProcessing(ProcessSetup& setup) {
  // Everything is checked before anything changes.
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultOk) return kResultFalse;
  if (!std::isfinite(setup.sampleRate) || setup.sampleRate <= 0.0) return kResultFalse;
  if (setup.maxSamplesPerBlock <= 0) return kResultFalse;

  MutexLock lock(GetMutex());
  SetSampleRate(setup.sampleRate);
  SetBypassed(false);
  SetBlockSize(setup.maxSamplesPerBlock);
  Reset();
  processSetup = setup;
  // Blocks longer than the scratch buffers still render, in pieces; the host hears that the
  // buffers it asked for could not be had.
  return GetScratchFrames() >= setup.maxSamplesPerBlock ? kResultOk : kOutOfMemory;
}

tresult PLUGIN_API IPluginVST3::process(ProcessData& data) {
  MutexLock lock(GetMutex());
  // A block in another sample size than the one set up would be read as the wrong type.
  if (data.symbolicSampleSize != processSetup.symbolicSampleSize || data.numSamples < 0) {
    return kInvalidArgument;
  }
  if (data.processContext) StoreProcessContext(*data.processContext);
  ApplyParameterChanges(data.inputParameterChanges);
  if (DoesMidi()) ReceiveNoteEvents(data.inputEvents, data.numSamples);

  // No channel may keep a binding to an earlier block's host buffers.
  UnbindChannels();
  BindChannels(data);
  if (processSetup.symbolicSampleSize == kSample64) {
    Render64(data);
  } else if (IsBypassed()) {
    PassThroughBuffers(data.numSamples);
  } else {
    ProcessBuffers(data.numSamples);
  }
  if (IsBypassed()) BypassedBlock(data.numSamples);
  UnbindChannels();
  return kResultOk;
}

void IPluginVST3::StoreProcessContext(const ProcessContext& context) {
  processContext = context;
  // A host without a tempo (or time signature) leaves the last one it gave in place.
  if (std::isfinite(context.tempo) && context.tempo > 0.0) lastValidTempo = context.tempo;
  if (context.timeSigNumerator > 0 && context.timeSigDenominator > 0) {
    lastNumerator = context.timeSigNumerator;
    lastDenominator = context.timeSigDenominator;
  }
}

int IPluginVST3::PresetIndexFor(double normalized) const {
  const int count = NPresets();
  if (count <= 0) return -1;
  return std::min(static_cast<int>(normalized * count), count - 1);
}

void IPluginVST3::ApplyParameterChanges(IParameterChanges* changes) {
  if (!changes) return;
  for (int32 i = 0, count = changes->getParameterCount(); i < count; ++i) {
    IParamValueQueue* queue = changes->getParameterData(i);
    if (!queue) continue;
    const int32 points = queue->getPointCount();
    int32 offset = 0;
    ParamValue value = 0.0;
    // Only the last point counts, from the start of the block.
    if (points <= 0 || queue->getPoint(points - 1, offset, value) != kResultOk) continue;
    if (std::isnan(value)) continue;
    ApplyParameterChange(queue->getParameterId(), std::clamp(value, 0.0, 1.0));
  }
}

void IPluginVST3::ApplyParameterChange(ParamID id, double normalized) {
  if (id == TovaluneVst3Ids::kBypassParamId) {
    SetBypassed(normalized > 0.5);
  } else if (id == TovaluneVst3Ids::kPresetParamId) {
    const int index = PresetIndexFor(normalized);
    if (index >= 0) LoadPresetSlot(index);
  } else if (id < static_cast<ParamID>(NParams())) {
    const int idx = static_cast<int>(id);
    GetParam(idx)->SetFromNormalized(normalized);
    PushParamToGui(idx, normalized, true);
    ParamChanged(idx);
  }
}

void IPluginVST3::ReceiveNoteEvents(IEventList* events, int32 numSamples) {
  if (!events) return;
  const int32 lastFrame = std::max(numSamples - 1, 0);
  for (int32 i = 0, count = events->getEventCount(); i < count; ++i) {
    Event e{};
    if (events->getEvent(i, e) != kResultOk) continue;
    // Every event of the block happens inside it.
    const int32 offset = std::clamp(e.sampleOffset, 0, lastFrame);
    IMidiMessage message;
    if (e.type == Event::kNoteOnEvent) {
      if (e.noteOn.pitch < 0 || e.noteOn.pitch > 127) continue;
      const float velocity = std::isnan(e.noteOn.velocity) ? 0.0f : e.noteOn.velocity;
      message = IMidiMessage(offset, static_cast<uint8_t>(0x90 | (e.noteOn.channel & 0x0F)),
                             static_cast<uint8_t>(e.noteOn.pitch),
                             static_cast<uint8_t>(std::clamp(velocity, 0.0f, 1.0f) * 127.0f));
    } else if (e.type == Event::kNoteOffEvent) {
      if (e.noteOff.pitch < 0 || e.noteOff.pitch > 127) continue;
      message = IMidiMessage(offset, static_cast<uint8_t>(0x80 | (e.noteOff.channel & 0x0F)),
                             static_cast<uint8_t>(e.noteOff.pitch), 0);
    } else {
      continue;
    }
    ReceiveMidiMessage(&message);
  }
}

void IPluginVST3::UnbindChannels() {
  for (int i = 0; i < NInChannels(); ++i) {
    IInputChannel* channel = GetInChannel(i);
    channel->connected = false;
    channel->hostSource = nullptr;
    channel->hostSourceFrames = 0;
    channel->PointAtScratch();
    hostInputs64[i] = nullptr;
  }
  for (int i = 0; i < NOutChannels(); ++i) {
    IOutputChannel* channel = GetOutChannel(i);
    channel->connected = false;
    channel->hostDestination = nullptr;
    channel->PointAtScratch();
    hostOutputs64[i] = nullptr;
  }
}

void IPluginVST3::BindChannels(const ProcessData& data) {
  const int32 sampleSize = processSetup.symbolicSampleSize;
  // Inputs come from the first input bus only.
  const AudioBusBuffers* inputBus = (data.numInputs > 0 && data.inputs) ? data.inputs : nullptr;
  for (int i = 0; i < NInChannels(); ++i) {
    void* host = HostChannel(inputBus, i, sampleSize);
    IInputChannel* channel = GetInChannel(i);
    channel->connected = host != nullptr;
    if (sampleSize == kSample64) {
      hostInputs64[i] = static_cast<double*>(host);
    } else {
      channel->hostSource = static_cast<const float*>(host);
      channel->hostSourceFrames = host ? data.numSamples : 0;
    }
  }
  // Output bus b covers the next numChannels channels; only an active bus is written.
  const int32 busCount = data.outputs ? data.numOutputs : 0;
  int first = 0;
  for (int32 b = 0; b < busCount && first < NOutChannels(); ++b) {
    const AudioBusBuffers& bus = data.outputs[b];
    AudioBus* declared = GetAudioBus(kOutput, b);
    const bool active = declared && declared->isActive();
    const int width = std::max<int32>(bus.numChannels, 0);
    for (int k = 0; k < width && first + k < NOutChannels(); ++k) {
      void* host = active ? HostChannel(&bus, k, sampleSize) : nullptr;
      IOutputChannel* channel = GetOutChannel(first + k);
      channel->connected = host != nullptr;
      if (sampleSize == kSample64) {
        hostOutputs64[first + k] = static_cast<double*>(host);
      } else {
        channel->hostDestination = static_cast<float*>(host);
      }
    }
    first += width;
  }
}

void IPluginVST3::Render64(const ProcessData& data) {
  const int32 frames = data.numSamples;
  const int32 scratch = GetScratchFrames();
  if (frames <= 0) return;
  if (scratch <= 0) {
    // Nothing was set up to render into: the host hears silence.
    for (double* out : hostOutputs64) {
      if (out) std::fill_n(out, frames, 0.0);
    }
    return;
  }
  // Unbound inputs read silence.
  for (int i = 0; i < NInChannels(); ++i) {
    if (!hostInputs64[i]) std::fill_n(GetInChannel(i)->Scratch(), std::min(frames, scratch), 0.0);
  }
  double** inputs = InputPointers();
  double** outputs = OutputPointers();
  // A block longer than the scratch buffers runs as consecutive blocks of at most their size.
  for (int32 done = 0; done < frames;) {
    const int32 piece = std::min(scratch, frames - done);
    for (int i = 0; i < NInChannels(); ++i) {
      IInputChannel* channel = GetInChannel(i);
      channel->PointAt(hostInputs64[i] ? hostInputs64[i] + done : channel->Scratch());
    }
    for (int i = 0; i < NOutChannels(); ++i) {
      IOutputChannel* channel = GetOutChannel(i);
      channel->PointAt(hostOutputs64[i] ? hostOutputs64[i] + done : channel->Scratch());
    }
    if (!IsBypassed()) {
      ProcessBlock(inputs, outputs, piece);
    } else if (GetLatency() > 0 && GetLatencyDelay()) {
      GetLatencyDelay()->Process(inputs, outputs, piece);
    } else {
      IPluginCore::ProcessBlock(inputs, outputs, piece);
    }
    done += piece;
  }
}
