#include "instrument/preset_file.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "engine/engine_params.h"
#include "framework/utf8_text.h"

namespace PresetFile {
namespace {

constexpr const char* kHeader =
    "<Company>Vorn Audio</Company><Product>Tovalune</Product><Version>1.0.0</Version>";
constexpr std::size_t kDisplayNameLimit = 35;  // characters

// File order: the engine's index order, except that ArpeggiatorMode precedes
// ArpeggiatorBpmDivider and the four filter elements precede the first effect slot.
const Element kElements[kElementCount] = {
    {EngineParam::ArpeggiatorMode, "ArpeggiatorMode"},
    {EngineParam::ArpeggiatorBpmDivider, "ArpeggiatorBpmDivider"},
    {EngineParam::Env1Attack, "Env1Attack"},
    {EngineParam::Env1Decay, "Env1Decay"},
    {EngineParam::Env1Release, "Env1Release"},
    {EngineParam::Env1Sustain, "Env1Sustain"},
    {EngineParam::Env2Attack, "Env2Attack"},
    {EngineParam::Env2Decay, "Env2Decay"},
    {EngineParam::Env2Release, "Env2Release"},
    {EngineParam::Env2Sustain, "Env2Sustain"},
    {EngineParam::EnvAmpAttack, "EnvAmpAttack"},
    {EngineParam::EnvAmpDecay, "EnvAmpDecay"},
    {EngineParam::EnvAmpRelease, "EnvAmpRelease"},
    {EngineParam::EnvAmpRetrigOffOn, "EnvAmpRetrigOffOn"},
    {EngineParam::EnvAmpSustain, "EnvAmpSustain"},
    {EngineParam::FilterHpCutoff, "FilterHpCutoff"},
    {EngineParam::FilterLpCutoff, "FilterLpCutoff"},
    {EngineParam::FilterLpKeyTrack, "FilterLpKeyTrack"},
    {EngineParam::FilterLpResonance, "FilterLpResonance"},
    {EngineParam::FXSlot1BitcrushDistBitDepth, "FXSlot1BitcrushDistBitDepth"},
    {EngineParam::FXSlot1BitcrushDistOffOn, "FXSlot1BitcrushDistOffOn"},
    {EngineParam::FXSlot1BitcrushDistPostGain, "FXSlot1BitcrushDistPostGain"},
    {EngineParam::FXSlot1BitcrushDistPreGain, "FXSlot1BitcrushDistPreGain"},
    {EngineParam::FXSlot1ChorusBandwidth, "FXSlot1ChorusBandwidth"},
    {EngineParam::FXSlot1ChorusCenter, "FXSlot1ChorusCenter"},
    {EngineParam::FXSlot1ChorusFeedback, "FXSlot1ChorusFeedback"},
    {EngineParam::FXSlot1ChorusOffOn, "FXSlot1ChorusOffOn"},
    {EngineParam::FXSlot1ChorusRate, "FXSlot1ChorusRate"},
    {EngineParam::FXSlot1FlangerBandwidth, "FXSlot1FlangerBandwidth"},
    {EngineParam::FXSlot1FlangerCenter, "FXSlot1FlangerCenter"},
    {EngineParam::FXSlot1FlangerFeedback, "FXSlot1FlangerFeedback"},
    {EngineParam::FXSlot1FlangerOffOn, "FXSlot1FlangerOffOn"},
    {EngineParam::FXSlot1FlangerRate, "FXSlot1FlangerRate"},
    {EngineParam::FXSlot1FoldbackDistOffOn, "FXSlot1FoldbackDistOffOn"},
    {EngineParam::FXSlot1FoldbackDistPostGain, "FXSlot1FoldbackDistPostGain"},
    {EngineParam::FXSlot1FoldbackDistPreGain, "FXSlot1FoldbackDistPreGain"},
    {EngineParam::FXSlot1FoldbackDistThreshold, "FXSlot1FoldbackDistThreshold"},
    {EngineParam::FXSlot1Selector, "FXSlot1Selector"},
    {EngineParam::FXSlot1TransistorDistLoad, "FXSlot1TransistorDistLoad"},
    {EngineParam::FXSlot1TransistorDistOffOn, "FXSlot1TransistorDistOffOn"},
    {EngineParam::FXSlot1TransistorDistPostGain, "FXSlot1TransistorDistPostGain"},
    {EngineParam::FXSlot1TransistorDistPreGain, "FXSlot1TransistorDistPreGain"},
    {EngineParam::FXSlot1TubeDistLoad, "FXSlot1TubeDistLoad"},
    {EngineParam::FXSlot1TubeDistOffOn, "FXSlot1TubeDistOffOn"},
    {EngineParam::FXSlot1TubeDistPostGain, "FXSlot1TubeDistPostGain"},
    {EngineParam::FXSlot1TubeDistPreGain, "FXSlot1TubeDistPreGain"},
    {EngineParam::FXSlot2DelayCutoff, "FXSlot2DelayCutoff"},
    {EngineParam::FXSlot2DelayDryWet, "FXSlot2DelayDryWet"},
    {EngineParam::FXSlot2DelayFeedback, "FXSlot2DelayFeedback"},
    {EngineParam::FXSlot2DelayOffOn, "FXSlot2DelayOffOn"},
    {EngineParam::FXSlot2DelayTimeDivL, "FXSlot2DelayTimeDivL"},
    {EngineParam::FXSlot2DelayTimeDivR, "FXSlot2DelayTimeDivR"},
    {EngineParam::FXSlot2ReverbDamp, "FXSlot2ReverbDamp"},
    {EngineParam::FXSlot2ReverbDryWet, "FXSlot2ReverbDryWet"},
    {EngineParam::FXSlot2ReverbOffOn, "FXSlot2ReverbOffOn"},
    {EngineParam::FXSlot2ReverbSize, "FXSlot2ReverbSize"},
    {EngineParam::FXSlot2ReverbWidth, "FXSlot2ReverbWidth"},
    {EngineParam::FXSlot2Selector, "FXSlot2Selector"},
    {EngineParam::Lfo1Rate, "Lfo1Rate"},
    {EngineParam::Lfo2Rate, "Lfo2Rate"},
    {EngineParam::MainVolume, "MainVolume"},
    {EngineParam::ModMatrixE1FC, "ModMatrixE1FC"},
    {EngineParam::ModMatrixE1M1, "ModMatrixE1M1"},
    {EngineParam::ModMatrixE1M2, "ModMatrixE1M2"},
    {EngineParam::ModMatrixE1P1, "ModMatrixE1P1"},
    {EngineParam::ModMatrixE1P2, "ModMatrixE1P2"},
    {EngineParam::ModMatrixE1R1, "ModMatrixE1R1"},
    {EngineParam::ModMatrixE1R2, "ModMatrixE1R2"},
    {EngineParam::ModMatrixE2FC, "ModMatrixE2FC"},
    {EngineParam::ModMatrixE2M1, "ModMatrixE2M1"},
    {EngineParam::ModMatrixE2M2, "ModMatrixE2M2"},
    {EngineParam::ModMatrixE2P1, "ModMatrixE2P1"},
    {EngineParam::ModMatrixE2P2, "ModMatrixE2P2"},
    {EngineParam::ModMatrixE2R1, "ModMatrixE2R1"},
    {EngineParam::ModMatrixE2R2, "ModMatrixE2R2"},
    {EngineParam::ModMatrixL1FC, "ModMatrixL1FC"},
    {EngineParam::ModMatrixL1M1, "ModMatrixL1M1"},
    {EngineParam::ModMatrixL1M2, "ModMatrixL1M2"},
    {EngineParam::ModMatrixL1P1, "ModMatrixL1P1"},
    {EngineParam::ModMatrixL1P2, "ModMatrixL1P2"},
    {EngineParam::ModMatrixL2FC, "ModMatrixL2FC"},
    {EngineParam::ModMatrixL2M1, "ModMatrixL2M1"},
    {EngineParam::ModMatrixL2M2, "ModMatrixL2M2"},
    {EngineParam::ModMatrixL2P1, "ModMatrixL2P1"},
    {EngineParam::ModMatrixL2P2, "ModMatrixL2P2"},
    {EngineParam::ModMatrixMWFC, "ModMatrixMWFC"},
    {EngineParam::ModMatrixMWM1, "ModMatrixMWM1"},
    {EngineParam::ModMatrixMWM2, "ModMatrixMWM2"},
    {EngineParam::ModMatrixMWP1, "ModMatrixMWP1"},
    {EngineParam::ModMatrixMWP2, "ModMatrixMWP2"},
    {EngineParam::ModMatrixMWR1, "ModMatrixMWR1"},
    {EngineParam::ModMatrixMWR2, "ModMatrixMWR2"},
    {EngineParam::ModMatrixVLFC, "ModMatrixVLFC"},
    {EngineParam::ModMatrixVLM1, "ModMatrixVLM1"},
    {EngineParam::ModMatrixVLM2, "ModMatrixVLM2"},
    {EngineParam::ModMatrixVLP1, "ModMatrixVLP1"},
    {EngineParam::ModMatrixVLP2, "ModMatrixVLP2"},
    {EngineParam::ModMatrixVLR1, "ModMatrixVLR1"},
    {EngineParam::ModMatrixVLR2, "ModMatrixVLR2"},
    {EngineParam::ModWheel, "ModWheel"},
    {EngineParam::NoiseLevel, "NoiseLevel"},
    {EngineParam::Osc1Level, "Osc1Level"},
    {EngineParam::Osc1OvertonesCoeff, "Osc1OvertonesCoeff"},
    {EngineParam::Osc1OvertonesMath, "Osc1OvertonesMath"},
    {EngineParam::Osc1OvertonesMorph, "Osc1OvertonesMorph"},
    {EngineParam::Osc1Pitch, "Osc1Pitch"},
    {EngineParam::Osc2Level, "Osc2Level"},
    {EngineParam::Osc2OvertonesCoeff, "Osc2OvertonesCoeff"},
    {EngineParam::Osc2OvertonesMath, "Osc2OvertonesMath"},
    {EngineParam::Osc2OvertonesMorph, "Osc2OvertonesMorph"},
    {EngineParam::Osc2Pitch, "Osc2Pitch"},
    {EngineParam::PitchBendRngAmt, "PitchBendRngAmt"},
    {EngineParam::PitchGlideAmt, "PitchGlideAmt"},
    {EngineParam::VoiceModeMonoUniPoly, "VoiceModeMonoUniPoly"},
    {EngineParam::VoiceSpreadAmt, "VoiceSpreadAmt"},
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the run of digits starting at text[at].
std::size_t DigitsAt(const char* text, std::size_t length, std::size_t at) {
  std::size_t end = at;
  while (end < length && IsDigit(text[end]))
    ++end;
  return end - at;
}

}  // namespace

const Element* Elements() {
  return kElements;
}

std::string FormatNumber(double value) {
  char buffer[64];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 6);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

bool ParseNumber(const char* text, std::size_t length, double* value) {
  if (!text || !value) return false;
  std::size_t at = 0;
  while (at < length && IsSpace(text[at]))
    ++at;
  // The sign: from_chars takes '-' itself but not '+'.
  if (at < length && text[at] == '+') {
    ++at;
    if (at < length && text[at] == '-') return false;
  }
  const std::size_t start = at;
  if (at < length && text[at] == '-') ++at;
  const std::size_t integerDigits = DigitsAt(text, length, at);
  at += integerDigits;
  std::size_t fractionDigits = 0;
  if (at < length && text[at] == '.') {
    fractionDigits = DigitsAt(text, length, at + 1);
    if (integerDigits + fractionDigits > 0) at += 1 + fractionDigits;
  }
  if (integerDigits + fractionDigits == 0) return false;
  if (at < length && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < length && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponentDigits = DigitsAt(text, length, exponent);
    if (exponentDigits > 0) at = exponent + exponentDigits;
  }
  float parsed = 0.0f;
  const std::from_chars_result result =
      std::from_chars(text + start, text + at, parsed, std::chars_format::general);
  if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
  // Like the C library's conversion, a result below the smallest normal float is a range error.
  if (parsed != 0.0f && std::fabs(parsed) < std::numeric_limits<float>::min()) return false;
  *value = static_cast<double>(parsed);
  return true;
}

std::string Format(const double* paramValues) {
  std::string text = kHeader;
  for (const Element& element : kElements) {
    text += '<';
    text += element.tag;
    text += '>';
    text += FormatNumber(paramValues[element.index]);
    text += "</";
    text += element.tag;
    text += '>';
  }
  return text;
}

std::vector<Value> Parse(const std::string& text) {
  std::vector<Value> values;
  values.reserve(kElementCount);
  for (const Element& element : kElements) {
    const std::string opening = std::string("<") + element.tag + ">";
    const std::string closing = std::string("</") + element.tag + ">";
    const std::size_t open = text.find(opening);
    const std::size_t close = text.find(closing);
    if (open == std::string::npos || close == std::string::npos) continue;
    const std::size_t first = open + opening.size();
    // A closing tag before the opening one leaves the value running to the end of the text.
    const std::size_t last = close >= first ? close : text.size();
    double value = 0.0;
    if (ParseNumber(text.data() + first, last - first, &value))
      values.push_back(Value{element.index, value});
  }
  return values;
}

std::string LastLine(const std::string& contents) {
  const std::size_t lineBreak = contents.rfind('\n');
  return lineBreak == std::string::npos ? contents : contents.substr(lineBreak + 1);
}

std::string DisplayName(const std::string& fileName) {
  const std::size_t separator = fileName.find_last_of("/\\");
  std::string name = separator == std::string::npos ? fileName : fileName.substr(separator + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  // Characters, not bytes, count; the cut falls before the first character that is not kept.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsUtf8Continuation(static_cast<unsigned char>(name[i]))) continue;
    if (characters++ == kDisplayNameLimit) return name.substr(0, i) + "...";
  }
  return name;
}

}  // namespace PresetFile
