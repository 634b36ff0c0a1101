// The audio entries and the two parameter calls. Float blocks go through the base's scratch
// path (converted, in pieces no longer than the scratch); double blocks render straight into
// the host's buffers, in pieces of the same length, with disconnected or missing channels on
// their own scratch.
#include <algorithm>
#include <cmath>

#include "vst2/plugin_vst2.h"

namespace {

IPluginVST2* PluginOf(AEffect* effect) {
  return effect ? static_cast<IPluginVST2*>(effect->object) : nullptr;
}

// Runs one audio entry under the instance lock; nothing may escape into the host.
template <class Body>
void UnderLock(AEffect* effect, Body body) {
  IPluginVST2* plug = PluginOf(effect);
  if (!plug) return;
  MutexLock lock(plug->GetMutex());
  try {
    body(plug);
  } catch (...) {
  }
}

// The host buffer of a channel: the connected channels take the host's pointers in order, a
// disconnected channel takes none.
double* TakeHostBuffer(const IChannel* channel, double** host, int32_t* next) {
  return channel->connected && host ? host[(*next)++] : nullptr;
}

}  // namespace

void IPluginVST2::VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                      int32_t nFrames) {
  UnderLock(effect, [&](IPluginVST2* plug) {
    plug->AttachHostFloatBuffers(inputs, outputs, nFrames);
    plug->ProcessBuffers(nFrames);
  });
}

void IPluginVST2::VSTProcessAccumulating(AEffect* effect, float** inputs, float** outputs,
                                         int32_t nFrames) {
  UnderLock(effect, [&](IPluginVST2* plug) {
    plug->AttachHostFloatBuffers(inputs, outputs, nFrames);
    plug->ProcessBuffersAccumulating(nFrames);
  });
}

void IPluginVST2::VSTProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs,
                                            int32_t nFrames) {
  UnderLock(effect, [&](IPluginVST2* plug) { plug->RenderDouble(inputs, outputs, nFrames); });
}

float IPluginVST2::VSTGetParameter(AEffect* effect, int32_t index) {
  float value = 0.0f;
  UnderLock(effect, [&](IPluginVST2* plug) {
    if (const IParameter* param = plug->GetParam(index))
      value = static_cast<float>(param->GetNormalized());
  });
  return value;
}

void IPluginVST2::VSTSetParameter(AEffect* effect, int32_t index, float value) {
  UnderLock(effect, [&](IPluginVST2* plug) {
    IParameter* param = plug->GetParam(index);
    if (!param || !std::isfinite(value)) return;
    param->SetFromNormalized(value);
    // The editor shows the value the record took, never the host's raw one.
    plug->PushParamToGui(index, param->GetNormalized(), true);
    plug->ParamChanged(index);
  });
}

void IPluginVST2::AttachHostFloatBuffers(float** inputs, float** outputs, int32_t nFrames) {
  if (DoesMidi()) HostCall(audioMasterWantMidi);
  AttachInputBuffers(0, NInChannels(), inputs, nFrames);
  AttachOutputBuffers(0, NOutChannels(), outputs);
}

void IPluginVST2::RenderDouble(double** inputs, double** outputs, int32_t nFrames) {
  if (DoesMidi()) HostCall(audioMasterWantMidi);
  if (nFrames <= 0) return;
  const int32_t scratch = GetScratchFrames();
  if (scratch <= 0) {
    // Nothing was set up to render into: the host hears silence.
    int32_t next = 0;
    for (int32_t i = 0; i < NOutChannels(); ++i) {
      if (double* host = TakeHostBuffer(GetOutChannel(i), outputs, &next))
        std::fill_n(host, nFrames, 0.0);
    }
    return;
  }
  // A block longer than the scratch runs as consecutive blocks of at most its length, so that
  // a channel rendering into its scratch is never written past the end.
  for (int32_t done = 0; done < nFrames;) {
    const int32_t frames = std::min(scratch, nFrames - done);
    BindDoublePiece(inputs, outputs, done, frames);
    ProcessBlock(InputPointers(), OutputPointers(), frames);
    done += frames;
  }
  // No channel keeps pointing into the host's buffers after the block.
  for (int32_t i = 0; i < NInChannels(); ++i)
    GetInChannel(i)->PointAtScratch();
  for (int32_t i = 0; i < NOutChannels(); ++i)
    GetOutChannel(i)->PointAtScratch();
}

void IPluginVST2::BindDoublePiece(double** inputs, double** outputs, int32_t done, int32_t frames) {
  int32_t next = 0;
  for (int32_t i = 0; i < NInChannels(); ++i) {
    const IInputChannel* channel = GetInChannel(i);
    if (double* host = TakeHostBuffer(channel, inputs, &next)) {
      channel->PointAt(host + done);
    } else {
      std::fill_n(channel->Scratch(), frames, 0.0);  // a missing input reads silence
      channel->PointAtScratch();
    }
  }
  next = 0;
  for (int32_t i = 0; i < NOutChannels(); ++i) {
    const IOutputChannel* channel = GetOutChannel(i);
    double* host = TakeHostBuffer(channel, outputs, &next);
    channel->PointAt(host ? host + done : channel->Scratch());
  }
}
