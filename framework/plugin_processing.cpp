#include <algorithm>
#include <cstring>

#include "framework/plugin_core.h"

namespace {

// Copies input i to output i where both exist and zeroes the other outputs.
template <class Sample>
void CopyChannels(Sample** inputs, int nIn, Sample** outputs, int nOut, int nFrames) {
  if (!outputs || nFrames <= 0) return;
  const size_t bytes = sizeof(Sample) * static_cast<size_t>(nFrames);
  for (int i = 0; i < nOut; ++i) {
    Sample* out = outputs[i];
    if (!out) continue;
    const Sample* in = (inputs && i < nIn) ? inputs[i] : nullptr;
    if (in) {
      std::memmove(out, in, bytes);
    } else {
      std::memset(out, 0, bytes);
    }
  }
}

}  // namespace

void IPluginCore::CopyInputsToOutputs(double** inputs, double** outputs, int nFrames) {
  CopyChannels(inputs, NInChannels(), outputs, NOutChannels(), nFrames);
}

void IPluginCore::ProcessBlock(double** inputs, double** outputs, int nFrames) {
  CopyInputsToOutputs(inputs, outputs, nFrames);
}

void IPluginCore::ProcessBlockFloat(float** inputs, float** outputs, int nFrames) {
  CopyChannels(inputs, NInChannels(), outputs, NOutChannels(), nFrames);
}

void IPluginCore::AttachInputBuffers(int start, int count, float** host, int nFrames) {
  if (!host || count <= 0) return;
  const int64_t end = std::min<int64_t>(int64_t{start} + count, NInChannels());
  int next = 0;
  for (int64_t i = std::max(start, 0); i < end; ++i) {
    IInputChannel* channel = GetInChannel(static_cast<int32_t>(i));
    if (!channel->connected) continue;  // a disconnected channel takes no host pointer
    channel->hostSource = host[next++];
    channel->hostSourceFrames = std::max(nFrames, 0);
    channel->PointAtScratch();
  }
}

void IPluginCore::AttachOutputBuffers(int start, int count, float** host) {
  if (!host || count <= 0) return;
  const int64_t end = std::min<int64_t>(int64_t{start} + count, NOutChannels());
  int next = 0;
  for (int64_t i = std::max(start, 0); i < end; ++i) {
    IOutputChannel* channel = GetOutChannel(static_cast<int32_t>(i));
    channel->PointAtScratch();
    channel->hostDestination = channel->connected ? host[next++] : nullptr;
  }
}

void IPluginCore::DetachHostBuffers() {
  for (int32_t i = 0; i < NInChannels(); ++i) {
    GetInChannel(i)->hostSource = nullptr;
    GetInChannel(i)->hostSourceFrames = 0;
  }
  for (int32_t i = 0; i < NOutChannels(); ++i)
    GetOutChannel(i)->hostDestination = nullptr;
}

void IPluginCore::RunBlockInPieces(int nFrames, BlockSource source, OutputMode mode) {
  if (nFrames <= 0) {
    DetachHostBuffers();
    return;
  }
  const bool hasChannels = NInChannels() > 0 || NOutChannels() > 0;
  const int32_t pieceFrames = hasChannels ? scratchFrames : nFrames;
  if (pieceFrames <= 0) {
    // No scratch to render into (the block size was never set): the host hears silence.
    if (mode == OutputMode::kReplace) {
      for (int32_t i = 0; i < NOutChannels(); ++i) {
        const IOutputChannel* channel = GetOutChannel(i);
        if (channel->connected && channel->hostDestination) {
          std::memset(channel->hostDestination, 0, sizeof(float) * static_cast<size_t>(nFrames));
        }
      }
    }
    DetachHostBuffers();
    return;
  }

  double** inputs = InputPointers();
  double** outputs = OutputPointers();
  // A block longer than the scratch buffers runs as consecutive blocks of at most their size.
  for (int32_t done = 0; done < nFrames;) {
    const int32_t frames = std::min(pieceFrames, nFrames - done);
    for (int32_t i = 0; i < NInChannels(); ++i) {
      IInputChannel* channel = GetInChannel(i);
      double* scratch = channel->Scratch();
      channel->PointAt(scratch);
      const int32_t available =
          channel->hostSource ? std::clamp(channel->hostSourceFrames - done, 0, frames) : 0;
      for (int32_t f = 0; f < available; ++f)
        scratch[f] = channel->hostSource[done + f];
      std::fill(scratch + available, scratch + frames, 0.0);
    }
    for (int32_t i = 0; i < NOutChannels(); ++i)
      GetOutChannel(i)->PointAtScratch();

    if (source == BlockSource::kProcessBlock) {
      ProcessBlock(inputs, outputs, frames);
    } else if (latency > 0 && latencyDelay) {
      latencyDelay->Process(inputs, outputs, frames);
    } else {
      CopyInputsToOutputs(inputs, outputs, frames);
    }

    for (int32_t i = 0; i < NOutChannels(); ++i) {
      const IOutputChannel* channel = GetOutChannel(i);
      if (!channel->connected || !channel->hostDestination) continue;
      const double* rendered = channel->Scratch();
      float* out = channel->hostDestination + done;
      if (mode == OutputMode::kAccumulate) {
        for (int32_t f = 0; f < frames; ++f)
          out[f] += static_cast<float>(rendered[f]);
      } else {
        for (int32_t f = 0; f < frames; ++f)
          out[f] = static_cast<float>(rendered[f]);
      }
    }
    done += frames;
  }
  DetachHostBuffers();
}

void IPluginCore::ProcessBuffers(int nFrames) {
  RunBlockInPieces(nFrames, BlockSource::kProcessBlock, OutputMode::kReplace);
}

void IPluginCore::ProcessBuffersAccumulating(int nFrames) {
  RunBlockInPieces(nFrames, BlockSource::kProcessBlock, OutputMode::kAccumulate);
}

void IPluginCore::PassThroughBuffers(int nFrames) {
  RunBlockInPieces(nFrames, BlockSource::kPassThrough, OutputMode::kReplace);
}

void IPluginCore::ZeroScratchBuffers() {
  ForEachChannel([](IChannel* channel) {
    if (channel->Scratch()) std::fill_n(channel->Scratch(), channel->ScratchFrames(), 0.0);
  });
}

double IPluginCore::SamplesPerBeat() {
  const double tempo = GetTempo();
  return tempo > 0.0 ? sampleRate * 60.0 / tempo : 0.0;
}
