// Reading and writing preset files, and the library's file names and stepping.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/engine_params.h"
#include "framework/utf8_files.h"
#include "instrument/common_documents.h"
#include "instrument/preset_file.h"
#include "instrument/preset_library.h"
#include "instrument/tovalune.h"

namespace {

constexpr const char* kSavingSuffix = ".saving";
constexpr int kSavingAttempts = 4;

// A name beside path for the new contents, different for every save (process-wide counter from a
// clock-seeded start), so that nothing an earlier or a concurrent save left behind (a file, a
// folder of that name) stands in the way.
std::string TemporaryName(const std::string& path) {
  static std::atomic<uint64_t> counter{
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) *
      0x9E3779B97F4A7C15ull};
  char token[24];
  std::snprintf(token, sizeof token, ".%016llx",
                static_cast<unsigned long long>(counter.fetch_add(1)));
  return path + token + kSavingSuffix;
}

bool Exists(const std::string& path) {
  std::FILE* file = OpenUtf8File(path.c_str(), "rb");
  if (file) std::fclose(file);
  return file != nullptr;
}

// Reads a whole file of at most PresetFile::kMaxFileBytes bytes; false when it cannot be opened
// or read, or is longer.
bool ReadSmallFile(const std::string& path, std::string* contents) {
  if (path.empty()) return false;
  std::FILE* file = OpenUtf8File(path.c_str(), "rb");
  if (!file) return false;
  std::vector<char> buffer(PresetFile::kMaxFileBytes + 1);
  const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || got > PresetFile::kMaxFileBytes) return false;
  contents->assign(buffer.data(), got);
  return true;
}

// Writes text to path; false (and no file left behind) when anything fails.
bool WriteWholeFile(const std::string& path, const std::string& text) {
  std::FILE* file = OpenUtf8File(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fflush(file) == 0 && written;
  written = std::fclose(file) == 0 && written;
  if (!written) RemoveUtf8File(path.c_str());
  return written;
}

}  // namespace

bool Tovalune::LoadPresetFile() {
  try {
    const std::string path = editorState.SelectedFile(PresetFileSelector::kLoad);
    std::string contents;
    if (!ReadSmallFile(path, &contents)) return false;
    const std::string text = PresetFile::LastLine(contents);
    if (text.empty()) return false;
    const std::vector<PresetFile::Value> values = PresetFile::Parse(text);
    // A file without a single readable element is not a preset: nothing changes.
    if (values.empty()) return false;
    const std::string name = PresetFile::DisplayName(path);
    for (const PresetFile::Value& loaded : values)
      ApplyLoadedValue(loaded.index, loaded.value);
    editorState.ReplaceLabelText(EditorLabel::kPresetName, name.c_str());
    ParamChanged(EngineParam::FXSlot1Selector);
    ParamChanged(EngineParam::FXSlot2Selector);
    return true;
  } catch (...) {
    return false;
  }
}

void Tovalune::ApplyLoadedValue(int idx, double value) {
  IParameter* param = GetParam(idx);
  if (!param) return;
  param->SetClamped(value);
  WriteEngine(idx, value);
  PushParamToGui(idx, param->GetNormalized(), true);
}

bool Tovalune::SavePresetFile() {
  try {
    const std::string path = editorState.SelectedFile(PresetFileSelector::kSave);
    if (path.empty()) return false;
    double values[EngineParam::kCount] = {};
    for (int i = 0; i < EngineParam::kCount; ++i)
      values[i] = ParamValue(i);
    const std::string text = PresetFile::Format(values);
    // The old file stays whole until the new one is completely written beside it.
    std::string saving;
    bool written = false;
    for (int attempt = 0; attempt < kSavingAttempts && !written; ++attempt) {
      saving = TemporaryName(path);
      written = !Exists(saving) && WriteWholeFile(saving, text);
    }
    if (!written) return false;
    if (!ReplaceUtf8File(saving.c_str(), path.c_str())) {
      RemoveUtf8File(saving.c_str());
      return false;
    }
    const std::string name = PresetFile::DisplayName(path);
    if (!name.empty()) editorState.ReplaceLabelText(EditorLabel::kPresetName, name.c_str());
    return true;
  } catch (...) {
    return false;
  }
}

void Tovalune::SelectFactoryPresetPath() {
  const int n = PresetLibrary::PresetNumber(ParamValue(EngineParam::PresetSelector));
  editorState.SetSelectedFile(PresetFileSelector::kLoad,
                              PresetLibrary::PresetPath(CommonDocumentsFolder(), n));
}

void Tovalune::StepPresetBackward() {
  const double stepped = ParamValue(EngineParam::PresetSelector) - 1.0;
  WriteRecord(EngineParam::PresetSelector, stepped);
  WriteEngine(EngineParam::PresetSelector, stepped);
}

void Tovalune::StepPresetForward() {
  const double stepped = ParamValue(EngineParam::PresetSelector) + 1.0;
  WriteRecord(EngineParam::PresetSelector, stepped);
  WriteEngine(EngineParam::PresetSelector, stepped);
}
