// Drives one plug-in instance through the VST3 life cycle as a host would:
// creation from a factory, initialize, buses, processing set-up, activation,
// blocks, state and termination. The session releases what it holds.
#pragma once

#include <vector>

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "vst3_test_host.h"

class Vst3TestSession {
 public:
  // Takes over one reference on factory (null is allowed; Create then fails).
  explicit Vst3TestSession(Steinberg::IPluginFactory* factory);
  ~Vst3TestSession();

  // Creates an instance of the factory's first class and asks for every
  // interface the tests use.
  bool Create();
  Steinberg::tresult Initialize();
  Steinberg::tresult SetupProcessing(Steinberg::int32 sampleSize, Steinberg::int32 maxBlock = 512,
                                     double sampleRate = 44100.0);
  void ActivateAllBuses();
  // Create, initialize, stereo arrangement, set-up, buses, setActive(true).
  bool Prepare(Steinberg::int32 sampleSize = Steinberg::Vst::kSample32,
               Steinberg::int32 maxBlock = 512, double sampleRate = 44100.0);

  // One process call over block (its buffers in the given sample size).
  Steinberg::tresult Process(TestAudioBlock& block, Steinberg::int32 sampleSize,
                             TestParameterChanges* changes = nullptr,
                             TestEventList* events = nullptr,
                             Steinberg::Vst::ProcessContext* context = nullptr);
  // Renders frames of audio with optional notes at the start; returns the
  // largest absolute output sample of channel 0 and 1.
  double RenderPeak(int frames, Steinberg::int32 sampleSize, TestEventList* events = nullptr,
                    Steinberg::Vst::ProcessContext* context = nullptr);

  std::vector<std::uint8_t> SaveState(Steinberg::tresult* result = nullptr);
  Steinberg::tresult RestoreState(const std::vector<std::uint8_t>& bytes);

  Steinberg::IPluginFactory* factory = nullptr;
  Steinberg::Vst::IComponent* component = nullptr;
  Steinberg::Vst::IAudioProcessor* processor = nullptr;
  Steinberg::Vst::IEditController* controller = nullptr;
  Steinberg::Vst::IUnitInfo* units = nullptr;
  TestHostApplication host;
  TestComponentHandler handler;
  bool initialized = false;
};
