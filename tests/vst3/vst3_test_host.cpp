#include "vst3_test_host.h"

#include <algorithm>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Answers FUnknown and the one interface a host object offers.
template <class Interface>
tresult AnswerInterface(Interface* self, const TUID iid, void** obj) {
  if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) ||
      FUnknownPrivate::iidEqual(iid, Interface::iid)) {
    self->addRef();
    *obj = self;
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

}  // namespace

TestHostApplication::TestHostApplication(std::string hostName) : name(std::move(hostName)) {}

tresult PLUGIN_API TestHostApplication::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IHostApplication>(this, iid, obj);
}

tresult PLUGIN_API TestHostApplication::getName(String128 out) {
  std::size_t length = std::min<std::size_t>(name.size(), 127);
  for (std::size_t i = 0; i < length; ++i)
    out[i] = static_cast<unsigned char>(name[i]);
  out[length] = 0;
  return kResultOk;
}

tresult PLUGIN_API TestHostApplication::createInstance(TUID, TUID, void** obj) {
  *obj = nullptr;
  return kResultFalse;
}

tresult PLUGIN_API TestContextMenu::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IContextMenu>(this, iid, obj);
}

tresult PLUGIN_API TestContextMenu::getItem(int32, Item&, IContextMenuTarget**) {
  return kResultFalse;
}

tresult PLUGIN_API TestContextMenu::addItem(const Item&, IContextMenuTarget*) {
  return kResultOk;
}

tresult PLUGIN_API TestContextMenu::removeItem(const Item&, IContextMenuTarget*) {
  return kResultOk;
}

tresult PLUGIN_API TestContextMenu::popup(UCoord x, UCoord y) {
  popups.emplace_back(x, y);
  return kResultOk;
}

tresult PLUGIN_API TestComponentHandler::queryInterface(const TUID iid, void** obj) {
  if (offersContextMenus && FUnknownPrivate::iidEqual(iid, IComponentHandler3::iid)) {
    addRef();
    *obj = static_cast<IComponentHandler3*>(this);
    return kResultOk;
  }
  return AnswerInterface<IComponentHandler>(this, iid, obj);
}

tresult PLUGIN_API TestComponentHandler::beginEdit(ParamID id) {
  edits.push_back({RecordedEdit::kBegin, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API TestComponentHandler::performEdit(ParamID id, ParamValue value) {
  edits.push_back({RecordedEdit::kPerform, id, value});
  return kResultOk;
}

tresult PLUGIN_API TestComponentHandler::endEdit(ParamID id) {
  edits.push_back({RecordedEdit::kEnd, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API TestComponentHandler::restartComponent(int32 flags) {
  restartFlags.push_back(flags);
  return kResultOk;
}

IContextMenu* PLUGIN_API TestComponentHandler::createContextMenu(IPlugView*, const ParamID*) {
  ++contextMenuRequests;
  if (menu) menu->addRef();
  return menu;
}

TestParamValueQueue::TestParamValueQueue(ParamID paramId, std::vector<double> values)
    : id(paramId) {
  for (std::size_t i = 0; i < values.size(); ++i)
    points.emplace_back(static_cast<int>(i), values[i]);
}

tresult PLUGIN_API TestParamValueQueue::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IParamValueQueue>(this, iid, obj);
}

int32 PLUGIN_API TestParamValueQueue::getPointCount() {
  return static_cast<int32>(points.size());
}

tresult PLUGIN_API TestParamValueQueue::getPoint(int32 index, int32& offset, ParamValue& value) {
  if (unreadable || index < 0 || index >= getPointCount()) return kResultFalse;
  offset = points[index].first;
  value = points[index].second;
  return kResultOk;
}

tresult PLUGIN_API TestParamValueQueue::addPoint(int32 offset, ParamValue value, int32& index) {
  points.emplace_back(offset, value);
  index = getPointCount() - 1;
  return kResultOk;
}

tresult PLUGIN_API TestParameterChanges::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IParameterChanges>(this, iid, obj);
}

int32 PLUGIN_API TestParameterChanges::getParameterCount() {
  return static_cast<int32>(queues.size());
}

IParamValueQueue* PLUGIN_API TestParameterChanges::getParameterData(int32 index) {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return queues[index].get();
}

IParamValueQueue* PLUGIN_API TestParameterChanges::addParameterData(const ParamID& id,
                                                                    int32& index) {
  index = getParameterCount();
  return &Add(id, {});
}

TestParamValueQueue& TestParameterChanges::Add(ParamID id, std::vector<double> values) {
  queues.push_back(std::make_unique<TestParamValueQueue>(id, std::move(values)));
  return *queues.back();
}

tresult PLUGIN_API TestEventList::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IEventList>(this, iid, obj);
}

int32 PLUGIN_API TestEventList::getEventCount() {
  return static_cast<int32>(events.size());
}

tresult PLUGIN_API TestEventList::getEvent(int32 index, Event& e) {
  if (index < 0 || index >= getEventCount() || unreadable[index]) return kResultFalse;
  e = events[index];
  return kResultOk;
}

tresult PLUGIN_API TestEventList::addEvent(Event& e) {
  events.push_back(e);
  unreadable.push_back(false);
  return kResultOk;
}

void TestEventList::AddNoteOn(int offset, int channel, int pitch, float velocity) {
  Event e{};
  e.sampleOffset = offset;
  e.type = Event::kNoteOnEvent;
  e.noteOn.channel = static_cast<int16>(channel);
  e.noteOn.pitch = static_cast<int16>(pitch);
  e.noteOn.velocity = velocity;
  e.noteOn.noteId = -1;
  addEvent(e);
}

void TestEventList::AddNoteOff(int offset, int channel, int pitch, float velocity) {
  Event e{};
  e.sampleOffset = offset;
  e.type = Event::kNoteOffEvent;
  e.noteOff.channel = static_cast<int16>(channel);
  e.noteOff.pitch = static_cast<int16>(pitch);
  e.noteOff.velocity = velocity;
  e.noteOff.noteId = -1;
  addEvent(e);
}

void TestEventList::AddOther(int offset, uint16 type) {
  Event e{};
  e.sampleOffset = offset;
  e.type = type;
  addEvent(e);
}

tresult PLUGIN_API TestMemoryStream::queryInterface(const TUID iid, void** obj) {
  return AnswerInterface<IBStream>(this, iid, obj);
}

tresult PLUGIN_API TestMemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
  if (numBytesRead) *numBytesRead = 0;
  if (numBytes < 0 || !buffer) return kInvalidArgument;
  std::size_t available = position < data.size() ? data.size() - position : 0;
  std::size_t count = std::min<std::size_t>(
      {available, static_cast<std::size_t>(numBytes), static_cast<std::size_t>(maxChunk)});
  if (count > 0) std::memcpy(buffer, data.data() + position, count);
  position += count;
  if (numBytesRead) *numBytesRead = static_cast<int32>(count);
  return kResultOk;
}

tresult PLUGIN_API TestMemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
  if (numBytesWritten) *numBytesWritten = 0;
  if (numBytes < 0 || !buffer) return kInvalidArgument;
  std::size_t count = static_cast<std::size_t>(numBytes);
  bool fails = writeLimit >= 0 && position + count > static_cast<std::size_t>(writeLimit);
  if (fails) count = position < static_cast<std::size_t>(writeLimit) ? writeLimit - position : 0;
  if (position + count > data.size()) data.resize(position + count);
  if (count > 0) std::memcpy(data.data() + position, buffer, count);
  position += count;
  if (numBytesWritten) *numBytesWritten = static_cast<int32>(count);
  return fails ? kResultFalse : kResultOk;
}

tresult PLUGIN_API TestMemoryStream::seek(int64 pos, int32 mode, int64* result) {
  int64 base = mode == kIBSeekSet   ? 0
               : mode == kIBSeekCur ? static_cast<int64>(position)
                                    : static_cast<int64>(data.size());
  if (base + pos < 0) return kInvalidArgument;
  position = static_cast<std::size_t>(base + pos);
  if (result) *result = static_cast<int64>(position);
  return kResultOk;
}

tresult PLUGIN_API TestMemoryStream::tell(int64* pos) {
  if (!pos) return kInvalidArgument;
  *pos = static_cast<int64>(position);
  return kResultOk;
}

TestAudioBlock::TestAudioBlock(int frameCount, int buses, int channels, float marker)
    : frames(frameCount), outputBuses(buses), channelsPerBus(channels), inputBus() {
  input32.assign(2, std::vector<float>(frames, 0.0f));
  input64.assign(2, std::vector<double>(frames, 0.0));
  output32.assign(buses * channels, std::vector<float>(frames, marker));
  output64.assign(buses * channels, std::vector<double>(frames, marker));
}

void TestAudioBlock::Attach(ProcessData& data, int32 sampleSize) {
  inputPointers32.clear();
  inputPointers64.clear();
  outputPointers32.clear();
  outputPointers64.clear();
  for (auto& channel : input32)
    inputPointers32.push_back(channel.data());
  for (auto& channel : input64)
    inputPointers64.push_back(channel.data());
  for (auto& channel : output32)
    outputPointers32.push_back(channel.data());
  for (auto& channel : output64)
    outputPointers64.push_back(channel.data());

  inputBus = AudioBusBuffers();
  inputBus.numChannels = 2;
  outputBusList.assign(outputBuses, AudioBusBuffers());
  if (sampleSize == kSample64) {
    inputBus.channelBuffers64 = inputPointers64.data();
  } else {
    inputBus.channelBuffers32 = inputPointers32.data();
  }
  for (int b = 0; b < outputBuses; ++b) {
    outputBusList[b].numChannels = channelsPerBus;
    if (sampleSize == kSample64) {
      outputBusList[b].channelBuffers64 = outputPointers64.data() + b * channelsPerBus;
    } else {
      outputBusList[b].channelBuffers32 = outputPointers32.data() + b * channelsPerBus;
    }
  }
  data.symbolicSampleSize = sampleSize;
  data.numSamples = frames;
  data.numInputs = 1;
  data.inputs = &inputBus;
  data.numOutputs = outputBuses;
  data.outputs = outputBusList.data();
}

float TestAudioBlock::Output32(int bus, int channel, int frame) const {
  return output32[bus * channelsPerBus + channel][frame];
}

double TestAudioBlock::Output64(int bus, int channel, int frame) const {
  return output64[bus * channelsPerBus + channel][frame];
}

void TestAudioBlock::SetInput(int channel, int frame, double value) {
  input32[channel][frame] = static_cast<float>(value);
  input64[channel][frame] = value;
}
