#include "framework/midi_message.h"

int32_t IMidiMessage::Kind() const {
  if (status < 0x80 || status >= 0xF0) return kNone;
  return status >> 4;
}

int32_t IMidiMessage::NoteNumber() const {
  if (status < 0x80 || status > 0xAF) return -1;
  return data1 & 0x7F;
}

int32_t IMidiMessage::Velocity() const {
  if (status < 0x80 || status > 0x9F) return -1;
  return data2 & 0x7F;
}

double IMidiMessage::PitchWheel() const {
  if (Kind() != kPitchWheel) return 0.0;
  const int32_t position = (data2 & 0x7F) * 128 + (data1 & 0x7F);  // 14 bits, centre 8192
  return static_cast<double>(position - 8192) / 8192.0;
}

int32_t IMidiMessage::ControllerNumber() const {
  return data1 & 0x7F;
}
