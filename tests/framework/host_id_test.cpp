#include <gtest/gtest.h>

#include <string>

#include "framework/host_id.h"

namespace {

TEST(IdentifyHost, MatchesKeysWhateverTheCase) {
  EXPECT_EQ(IdentifyHost("Cubase 7"), kHostCubase);
  EXPECT_EQ(IdentifyHost("CUBASE"), kHostCubase);
  EXPECT_EQ(IdentifyHost("REAPER64"), kHostReaper);
  EXPECT_EQ(IdentifyHost("Ableton Live 9"), kHostLive);
  EXPECT_EQ(IdentifyHost("Digital Performer"), kHostDigital);
  EXPECT_EQ(IdentifyHost("ProTools"), kHostProTools);
  EXPECT_EQ(IdentifyHost("VST3PluginTestHost"), kHostVst3PluginTestHost);
  EXPECT_EQ(IdentifyHost("Ardour"), kHostArdour);
}

TEST(IdentifyHost, TheFirstKeyInTheListWins) {
  EXPECT_EQ(IdentifyHost("live cubase"), kHostCubase);
  EXPECT_EQ(IdentifyHost("Forte Live"), kHostLive);
  EXPECT_EQ(IdentifyHost("Nuendo and Cubase"), kHostCubase);
}

TEST(IdentifyHost, ABlankInsideAKeyDoesNotMatch) {
  EXPECT_EQ(IdentifyHost("Pro Tools"), kHostUnknown);
  EXPECT_EQ(IdentifyHost("Garage Band"), kHostUnknown);
}

TEST(IdentifyHost, EmptyNullAndUnknownNamesGiveUnknown) {
  EXPECT_EQ(IdentifyHost(""), kHostUnknown);
  EXPECT_EQ(IdentifyHost(nullptr), kHostUnknown);
  EXPECT_EQ(IdentifyHost("Some Other Host"), kHostUnknown);
}

TEST(IdentifyHost, OnlyTheFirst255CharactersCount) {
  EXPECT_EQ(IdentifyHost((std::string(249, 'x') + "reaper").c_str()), kHostReaper);
  EXPECT_EQ(IdentifyHost((std::string(250, 'x') + "reaper").c_str()), kHostUnknown);
}

}  // namespace
