#include <gtest/gtest.h>

#include "framework/midi_message.h"

namespace {

TEST(IMidiMessage, KindIsTheUpperNibbleOfChannelMessagesOnly) {
  EXPECT_EQ(IMidiMessage(0, 0x93, 60, 100).Kind(), IMidiMessage::kNoteOn);
  EXPECT_EQ(IMidiMessage(0, 0x80, 60, 0).Kind(), IMidiMessage::kNoteOff);
  EXPECT_EQ(IMidiMessage(0, 0xEF, 0, 0).Kind(), IMidiMessage::kPitchWheel);
  EXPECT_EQ(IMidiMessage(0, 0xF8, 0, 0).Kind(), IMidiMessage::kNone);
  EXPECT_EQ(IMidiMessage(0, 0x7F, 0, 0).Kind(), IMidiMessage::kNone);
}

TEST(IMidiMessage, NoteAndVelocityOnlyForTheirKinds) {
  EXPECT_EQ(IMidiMessage(0, 0xB0, 7, 100).NoteNumber(), -1);
  EXPECT_EQ(IMidiMessage(0, 0xA0, 60, 100).NoteNumber(), 60);
  EXPECT_EQ(IMidiMessage(0, 0xA0, 60, 100).Velocity(), -1);
  EXPECT_EQ(IMidiMessage(0, 0x9F, 60, 100).Velocity(), 100);
  EXPECT_EQ(IMidiMessage(0, 0xC0, 5, 0).ControllerNumber(), 5);
}

TEST(IMidiMessage, DataBytesAreKeptToSevenBits) {
  // A note number above 127 would index past any per-key table.
  EXPECT_EQ(IMidiMessage(0, 0x90, 0xC0, 0xFF).NoteNumber(), 0x40);
  EXPECT_EQ(IMidiMessage(0, 0x90, 0xC0, 0xFF).Velocity(), 0x7F);
  EXPECT_EQ(IMidiMessage(0, 0xB0, 0x87, 0).ControllerNumber(), 7);
  EXPECT_LT(IMidiMessage(0, 0xE0, 0xFF, 0xFF).PitchWheel(), 1.0);
}

TEST(IMidiMessage, PitchWheelSpansMinusOneToAlmostOne) {
  EXPECT_DOUBLE_EQ(IMidiMessage(0, 0xE0, 0, 64).PitchWheel(), 0.0);
  EXPECT_DOUBLE_EQ(IMidiMessage(0, 0xE0, 0, 0).PitchWheel(), -1.0);
  EXPECT_DOUBLE_EQ(IMidiMessage(0, 0xE0, 127, 127).PitchWheel(), 8191.0 / 8192.0);
  EXPECT_DOUBLE_EQ(IMidiMessage(0, 0xB0, 0, 0).PitchWheel(), 0.0);
}

}  // namespace
