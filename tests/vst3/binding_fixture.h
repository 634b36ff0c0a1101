// A test plug-in instance prepared as a host prepares it: initialized,
// stereo arrangement, 32-bit set-up of 512 frames at 44100 Hz, buses active.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "test_plugin.h"
#include "vst3_test_session.h"

class PreparedTestPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.Prepare());
    plugin = LastTestPlugin();
    ASSERT_NE(plugin, nullptr);
  }

  Vst3TestSession session{CreateTestPluginFactory()};
  TestPlugin* plugin = nullptr;
};

// The UTF-16 text as 8-bit characters.
inline std::string Narrow(const Steinberg::Vst::TChar* text) {
  std::string out;
  for (; text && *text; ++text)
    out.push_back(static_cast<char>(*text));
  return out;
}
