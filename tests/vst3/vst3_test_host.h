// The host side of the VST3 interfaces for the binding's tests: host
// application, component handler that records edits, context menu, parameter
// changes, event list, memory stream with failure injection and audio
// buffers. Every object lives on the test's stack or in the session; the
// plug-in's references are counted so that tests can check they balance.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

// Reference counting shared by the host objects: they are owned by the test,
// so release never deletes.
#define TEST_HOST_REFCOUNT                          \
 public:                                            \
  Steinberg::uint32 PLUGIN_API addRef() override {  \
    return ++references;                            \
  }                                                 \
  Steinberg::uint32 PLUGIN_API release() override { \
    return --references;                            \
  }                                                 \
  int references = 1;

class TestHostApplication : public Steinberg::Vst::IHostApplication {
 public:
  explicit TestHostApplication(std::string hostName = "Tovalune Test Host");
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;
  Steinberg::tresult PLUGIN_API createInstance(Steinberg::TUID cid, Steinberg::TUID iid,
                                               void** obj) override;
  std::string name;
  TEST_HOST_REFCOUNT
};

class TestContextMenu : public Steinberg::Vst::IContextMenu {
 public:
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::int32 PLUGIN_API getItemCount() override { return 0; }
  Steinberg::tresult PLUGIN_API getItem(Steinberg::int32, Item&,
                                        Steinberg::Vst::IContextMenuTarget**) override;
  Steinberg::tresult PLUGIN_API addItem(const Item&, Steinberg::Vst::IContextMenuTarget*) override;
  Steinberg::tresult PLUGIN_API removeItem(const Item&,
                                           Steinberg::Vst::IContextMenuTarget*) override;
  Steinberg::tresult PLUGIN_API popup(Steinberg::UCoord x, Steinberg::UCoord y) override;
  std::vector<std::pair<int, int>> popups;
  TEST_HOST_REFCOUNT
};

struct RecordedEdit {
  enum Kind { kBegin, kPerform, kEnd } kind;
  Steinberg::Vst::ParamID id;
  double value;
};

class TestComponentHandler : public Steinberg::Vst::IComponentHandler,
                             public Steinberg::Vst::IComponentHandler3 {
 public:
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                            Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;
  Steinberg::Vst::IContextMenu* PLUGIN_API
  createContextMenu(Steinberg::IPlugView* view, const Steinberg::Vst::ParamID* id) override;

  bool offersContextMenus = true;   // answers IComponentHandler3
  TestContextMenu* menu = nullptr;  // what createContextMenu hands out (may be null)
  int contextMenuRequests = 0;
  std::vector<RecordedEdit> edits;
  std::vector<int> restartFlags;
  TEST_HOST_REFCOUNT
};

class TestParamValueQueue : public Steinberg::Vst::IParamValueQueue {
 public:
  TestParamValueQueue(Steinberg::Vst::ParamID id, std::vector<double> values);
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
  Steinberg::int32 PLUGIN_API getPointCount() override;
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& offset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 offset, Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;
  Steinberg::Vst::ParamID id;
  std::vector<std::pair<int, double>> points;
  bool unreadable = false;  // getPoint fails
  TEST_HOST_REFCOUNT
};

class TestParameterChanges : public Steinberg::Vst::IParameterChanges {
 public:
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::int32 PLUGIN_API getParameterCount() override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                Steinberg::int32& index) override;
  // Adds a queue whose points are spread over the block in order.
  TestParamValueQueue& Add(Steinberg::Vst::ParamID id, std::vector<double> values);
  std::vector<std::unique_ptr<TestParamValueQueue>> queues;
  TEST_HOST_REFCOUNT
};

class TestEventList : public Steinberg::Vst::IEventList {
 public:
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::int32 PLUGIN_API getEventCount() override;
  Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32 index, Steinberg::Vst::Event& e) override;
  Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event& e) override;
  void AddNoteOn(int offset, int channel, int pitch, float velocity);
  void AddNoteOff(int offset, int channel, int pitch, float velocity = 0.5f);
  void AddOther(int offset, Steinberg::uint16 type);
  std::vector<Steinberg::Vst::Event> events;
  std::vector<bool> unreadable;  // per event: getEvent fails
  TEST_HOST_REFCOUNT
};

class TestMemoryStream : public Steinberg::IBStream {
 public:
  TestMemoryStream() = default;
  explicit TestMemoryStream(std::vector<std::uint8_t> bytes) : data(std::move(bytes)) {}
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                     Steinberg::int32* numBytesRead) override;
  Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                      Steinberg::int32* numBytesWritten) override;
  Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                     Steinberg::int64* result) override;
  Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;

  std::vector<std::uint8_t> data;
  std::size_t position = 0;
  long writeLimit = -1;    // bytes accepted before writes fail; -1: no limit
  int maxChunk = 1 << 30;  // largest piece one read hands back
  TEST_HOST_REFCOUNT
};

// Audio buffers for one block: one stereo input bus and a number of output
// buses, in both sample sizes, pre-filled with a marker value so that tests
// see which samples the plug-in wrote.
class TestAudioBlock {
 public:
  TestAudioBlock(int frames, int outputBuses = 1, int channelsPerBus = 2, float marker = 7.0f);
  // Fills data's buffer fields for the given sample size; the block owns the
  // arrays that data then points at.
  void Attach(Steinberg::Vst::ProcessData& data, Steinberg::int32 sampleSize);
  float Output32(int bus, int channel, int frame) const;
  double Output64(int bus, int channel, int frame) const;
  void SetInput(int channel, int frame, double value);

  int frames;
  int outputBuses;
  int channelsPerBus;
  std::vector<std::vector<float>> input32, output32;
  std::vector<std::vector<double>> input64, output64;

 private:
  std::vector<float*> inputPointers32, outputPointers32;
  std::vector<double*> inputPointers64, outputPointers64;
  Steinberg::Vst::AudioBusBuffers inputBus;
  std::vector<Steinberg::Vst::AudioBusBuffers> outputBusList;
};
