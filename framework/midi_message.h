#pragma once

#include <cstdint>

// One MIDI event with its frame offset from the start of the current block. Copied by value.
// The accessors keep data bytes to 7 bits, so note and controller numbers are always 0..127.
struct IMidiMessage {
  enum KindCode : int32_t {
    kNone = 0,
    kNoteOff = 8,
    kNoteOn = 9,
    kPolyAftertouch = 10,
    kControlChange = 11,
    kProgramChange = 12,
    kChannelAftertouch = 13,
    kPitchWheel = 14,
  };

  int32_t offset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;

  IMidiMessage() = default;
  IMidiMessage(int32_t sampleOffset, uint8_t statusByte, uint8_t firstData, uint8_t secondData)
      : offset(sampleOffset), status(statusByte), data1(firstData), data2(secondData) {}

  // Any thread; allocate nothing.
  // status >> 4 for a channel message (0x80..0xEF), else kNone.
  int32_t Kind() const;
  // data1 for note off, note on and poly aftertouch, else -1.
  int32_t NoteNumber() const;
  // data2 for note off and note on, else -1.
  int32_t Velocity() const;
  // For a pitch wheel message (data2 * 128 + data1 - 8192) / 8192, from -1 to 8191/8192; else 0.
  double PitchWheel() const;
  // data1, whatever the kind.
  int32_t ControllerNumber() const;
};
static_assert(sizeof(IMidiMessage) == 8, "MIDI messages are 8 bytes");

// A system exclusive message as a binding receives it; the bytes belong to the sender and are
// valid only for the call that hands the message over.
struct ISysExMessage {
  int32_t offset = 0;
  int32_t size = 0;
  const uint8_t* data = nullptr;
};
