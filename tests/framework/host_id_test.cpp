#include <gtest/gtest.h>

#include <string>

#include "framework/host_id.h"

namespace {

// Every key once in whatever case the host writes it; then names where the first key of the
// list must win, names with a blank inside a key, and names without any key.
TEST(IdentifyHost, NamesGiveTheirHostIds) {
  // clang-format off
  const struct {
    const char* name;
    int32_t id;
  } cases[] = {
      {"Cubase 7", 3}, {"CUBASE", 3}, {"REAPER64", 1}, {"Nuendo", 4}, {"Cakewalk", 5},
      {"Samplitude", 8}, {"Fruity Loops", 7}, {"Ableton Live 9", 9}, {"Melodyne", 12},
      {"vstmanlib", 13}, {"AULab", 14}, {"GarageBand", 22}, {"Forte", 15}, {"Chainer", 16},
      {"Adobe Audition", 17}, {"Orion", 18}, {"SAWStudio", 20}, {"Logic Pro", 21},
      {"Digital Performer", 23}, {"AudioMulch", 25}, {"PreSonus Studio One", 26},
      {"VST3PluginTestHost", 27}, {"ProTools", 2}, {"Ardour", 28}, {"Standalone", 24},
      {"live cubase", 3}, {"Forte Live", 9}, {"Nuendo and Cubase", 3},
      {"Pro Tools", 0}, {"Garage Band", 0}, {"", 0}, {nullptr, 0}, {"Some Other Host", 0},
  };
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(IdentifyHost(c.name), c.id) << (c.name ? c.name : "(null)");
}

TEST(IdentifyHost, OnlyTheFirst255CharactersCount) {
  EXPECT_EQ(IdentifyHost((std::string(249, 'x') + "reaper").c_str()), kHostReaper);
  EXPECT_EQ(IdentifyHost((std::string(250, 'x') + "reaper").c_str()), kHostUnknown);
}

}  // namespace
