// The preset file text: element order, number format, reading rules, display names.
#include <algorithm>
#include <clocale>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_params.h"
#include "engine/param_table.h"
#include "gtest/gtest.h"
#include "instrument/preset_file.h"

using namespace EngineParam;

namespace {

bool IsSaved(int idx) {
  const bool unsaved = idx == ACSCmpDriftAmt || idx == Env1RetrigOffOn || idx == Env2RetrigOffOn ||
                       (idx >= GlobalTuning && idx <= Key060A) || idx == MidiChannelInput ||
                       (idx >= PitchBend && idx <= Voice07_NoteVelocity && idx != PitchBendRngAmt &&
                        idx != PitchGlideAmt) ||
                       idx == zInitParams;
  return !unsaved;
}

// Index order, with ArpeggiatorMode first and the filters moved behind EnvAmpSustain.
std::vector<int> ExpectedOrder() {
  std::vector<int> order;
  for (int i = 0; i < kCount; ++i) {
    if (IsSaved(i) && !(i >= FilterHpCutoff && i <= FilterLpResonance)) order.push_back(i);
  }
  std::swap(order[0], order[1]);
  const auto afterSustain = std::find(order.begin(), order.end(), EnvAmpSustain) + 1;
  order.insert(afterSustain, {FilterHpCutoff, FilterLpCutoff, FilterLpKeyTrack, FilterLpResonance});
  return order;
}

std::vector<double> Defaults() {
  std::vector<double> values(kCount);
  for (int i = 0; i < kCount; ++i)
    values[i] = EngineParamTable::Rows()[i].defaultValue;
  return values;
}

double ParsedOrNan(const std::string& text) {
  double value = 0.0;
  return PresetFile::ParseNumber(text.data(), text.size(), &value) ? value : -12345.0;
}

}  // namespace

TEST(PresetFormat, ElementsFollowTheFixedOrderWithEngineNames) {
  const std::vector<int> order = ExpectedOrder();
  ASSERT_EQ(order.size(), 115u);
  for (int k = 0; k < PresetFile::kElementCount; ++k) {
    EXPECT_EQ(PresetFile::Elements()[k].index, order[k]) << k;
    EXPECT_STREQ(PresetFile::Elements()[k].tag, EngineParamTable::Rows()[order[k]].name) << k;
  }
}

// What a standard text stream in its default state writes.
std::string StreamText(double value) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << value;
  return out.str();
}

TEST(PresetFormat, FileTextIsExact) {
  std::vector<double> values = Defaults();
  values[Osc1Pitch] = 0.1234567;
  values[FXSlot1Selector] = 7;
  values[NoiseLevel] = 0.00001;
  values[ModWheel] = 1.0 / 3.0;
  values[VoiceSpreadAmt] = 0.999999951;
  const std::string text = PresetFile::Format(values.data());
  const std::string start =
      "<Company>Vorn Audio</Company><Product>Tovalune</Product><Version>1.0.0</Version>"
      "<ArpeggiatorMode>0</ArpeggiatorMode><ArpeggiatorBpmDivider>0</ArpeggiatorBpmDivider>"
      "<Env1Attack>0</Env1Attack><Env1Decay>0.5</Env1Decay>";
  EXPECT_EQ(text.substr(0, start.size()), start);
  std::string expected =
      "<Company>Vorn Audio</Company><Product>Tovalune</Product>"
      "<Version>1.0.0</Version>";
  for (int idx : ExpectedOrder()) {
    const std::string name = EngineParamTable::Rows()[idx].name;
    expected += "<" + name + ">" + StreamText(values[idx]) + "</" + name + ">";
  }
  EXPECT_EQ(text, expected);
  EXPECT_NE(text.find("<NoiseLevel>1e-05</NoiseLevel>"), std::string::npos);
  EXPECT_NE(text.find("<ModWheel>0.333333</ModWheel>"), std::string::npos);
  const std::string end = "<VoiceSpreadAmt>1</VoiceSpreadAmt>";  // rounded, no line break
  ASSERT_GE(text.size(), end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

TEST(PresetFormat, NumbersAreWrittenLikeADefaultStream) {
  for (double value : {0.5, 1.0, 0.0, 0.1234567, 0.00001, 10000.0, 1234567.0, -0.25, 0.85, 1e-7,
                       123456.5, 0.000123456789, 7.0, 0.3f + 0.0}) {
    EXPECT_EQ(PresetFile::FormatNumber(value), StreamText(value)) << value;
  }
  EXPECT_EQ(PresetFile::FormatNumber(0.00001), "1e-05");
  EXPECT_EQ(PresetFile::FormatNumber(1234567.0), "1.23457e+06");
}

TEST(PresetFormat, NumbersReadLikeTheStandardConversionButOnlyFinite) {
  EXPECT_EQ(ParsedOrNan(" 0.25abc"), 0.25);
  EXPECT_EQ(ParsedOrNan("\t+0.5"), 0.5);
  EXPECT_EQ(ParsedOrNan(".5"), 0.5);
  EXPECT_EQ(ParsedOrNan("5."), 5.0);
  EXPECT_EQ(ParsedOrNan("-2e1x"), -20.0);
  EXPECT_EQ(ParsedOrNan("1e"), 1.0);
  EXPECT_EQ(ParsedOrNan("0x10"), 0.0);
  EXPECT_EQ(ParsedOrNan("0.1"), static_cast<double>(0.1f));
  EXPECT_EQ(ParsedOrNan("0e-50"), 0.0);
  EXPECT_EQ(ParsedOrNan("1.2e-38"), static_cast<double>(1.2e-38f));
  // Overflow and underflow (below the smallest normal float) are range errors.
  for (const char* bad : {"", " ", "abc", ".", "-", "+-1", "e5", "nan", "inf", "-inf", "infinity",
                          "NAN", "1e39", "-1e39", "1e-50", "1e-40", "-1e-39"}) {
    EXPECT_EQ(ParsedOrNan(bad), -12345.0) << bad;
  }
}

TEST(PresetFormat, NumbersIgnoreTheProcessLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252",
                                "de-DE"};
  bool switched = false;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name)) {
      switched = true;
      break;
    }
  }
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
  EXPECT_EQ(PresetFile::FormatNumber(0.5), "0.5");
  EXPECT_EQ(ParsedOrNan("0.75"), 0.75);
  EXPECT_EQ(ParsedOrNan("0,75"), 0.0);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(PresetFormat, ElementsAreFoundInAnyOrderAndBadOnesAreLeftOut) {
  const std::vector<PresetFile::Value> values = PresetFile::Parse(
      "<MainVolume>2</MainVolume><Osc1Level> 0.25abc</Osc1Level><Osc2Level>abc</Osc2Level>"
      "<Lfo1Rate>nan</Lfo1Rate><Lfo2Rate>1e40</Lfo2Rate><NoiseLevel>0.5<ArpeggiatorMode>1"
      "</ArpeggiatorMode></NoiseLevel>");
  std::vector<std::pair<int, double>> found;
  for (const auto& v : values)
    found.emplace_back(v.index, v.value);
  const std::vector<std::pair<int, double>> expected = {
      {ArpeggiatorMode, 1.0}, {MainVolume, 2.0}, {NoiseLevel, 0.5}, {Osc1Level, 0.25}};
  EXPECT_EQ(found, expected);
}

TEST(PresetFormat, AClosingTagBeforeTheOpeningOneReadsToTheEnd) {
  const std::vector<PresetFile::Value> values = PresetFile::Parse("</MainVolume><MainVolume>0.3");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].value, static_cast<double>(0.3f));
}

TEST(PresetFormat, OnlyTheLastLineIsRead) {
  EXPECT_EQ(PresetFile::LastLine("a\nb"), "b");
  EXPECT_EQ(PresetFile::LastLine("abc\n"), "");
  EXPECT_EQ(PresetFile::LastLine("abc"), "abc");
}

// Folders and extension go; more than 35 characters (not bytes) keep 35 and gain "...".
TEST(PresetFormat, DisplayNamesDropFolderAndExtension) {
  std::string cyrillic40;
  for (int i = 0; i < 40; ++i)
    cyrillic40 += "\xD0\x96";
  const std::pair<std::string, std::string> names[] = {
      {"/some/folder/My Sound.tovalunepreset", "My Sound"},
      {"C:\\Presets\\Bass.tovalunepreset", "Bass"},
      {"NoExtension", "NoExtension"},
      {"a/ARP - Vanishing Signals....tovalunepreset", "ARP - Vanishing Signals..."},
      {"f/" + std::string(40, 'x') + ".tovalunepreset", std::string(35, 'x') + "..."},
      {std::string(35, 'y') + ".p", std::string(35, 'y')},
      {"Тёплый бас рассвета.tovalunepreset", "Тёплый бас рассвета"},  // 19 characters, 36 bytes
      {cyrillic40 + ".p", cyrillic40.substr(0, 70) + "..."},
  };
  for (const auto& [file, shown] : names)
    EXPECT_EQ(PresetFile::DisplayName(file), shown) << file;
}
