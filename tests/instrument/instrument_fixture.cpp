#include "instrument_fixture.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "engine/engine_record.h"
#include "instrument/common_documents.h"
#include "instrument/preset_library.h"

bool RecordingEditor::LastPush(int idx, Push* push) const {
  for (auto it = pushes.rbegin(); it != pushes.rend(); ++it) {
    if (it->idx == idx) {
      *push = *it;
      return true;
    }
  }
  return false;
}

void InstrumentTest::SetUp() {
  synth = std::make_unique<Tovalune>();
  gui = new RecordingEditor();
  synth->AttachGui(gui);
  synth->SetBlockSize(kBlock);
  synth->Reset();
  gui->pushes.clear();
}

double InstrumentTest::EngineValue(int idx) const {
  auto* state = const_cast<SynthEngineState*>(synth->Engine());
  return Engine::Record(state)->params[idx];
}

double InstrumentTest::Record(int idx) const {
  return synth->GetParam(idx)->Value();
}

void InstrumentTest::Set(int idx, double value) {
  synth->GetParam(idx)->SetClamped(value);
  synth->ParamChanged(idx);
}

void InstrumentTest::SetFromEditor(int idx, double normalized) {
  synth->ApplyGuiParamValue(idx, normalized);
}

void InstrumentTest::Midi(uint8_t status, uint8_t data1, uint8_t data2, int32_t offset) {
  const IMidiMessage msg(offset, status, data1, data2);
  synth->ReceiveMidiMessage(&msg);
}

double InstrumentTest::Render(int frames) {
  left.assign(std::max(frames, 1), 0.0);
  right.assign(std::max(frames, 1), 0.0);
  std::vector<double> in0(std::max(frames, 1), 0.0), in1(std::max(frames, 1), 0.0);
  double* inputs[2] = {in0.data(), in1.data()};
  double* outputs[2] = {left.data(), right.data()};
  synth->ProcessBlock(inputs, outputs, frames);
  double peak = 0.0;
  for (int i = 0; i < frames; ++i)
    peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  return peak;
}

namespace {

// Test programs of several builds may run at once: the random part keeps their folders apart.
std::atomic<int> folderCounter{0};

}  // namespace

TemporaryDocuments::TemporaryDocuments() {
  std::ostringstream name;
  name << "tovalune-instrument-" << std::hex
       << std::hash<std::string>()(::testing::UnitTest::GetInstance()->current_test_info()->name())
       << "-" << folderCounter++ << "-" << std::random_device()();
  root = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  OverrideCommonDocumentsFolder(root.string().c_str());
}

TemporaryDocuments::~TemporaryDocuments() {
  OverrideCommonDocumentsFolder(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

std::filesystem::path TemporaryDocuments::LibraryFile(int n) const {
  const std::filesystem::path folder =
      root / "VornAudio" / "Tovalune" / "Presets" / PresetLibrary::PresetFolder(n);
  std::filesystem::create_directories(folder);
  return folder / (std::string(PresetLibrary::PresetName(n)) + PresetLibrary::kFileExtension);
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}
