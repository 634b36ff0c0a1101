#include <gtest/gtest.h>

#include <vector>

#include "framework/midi_queue.h"

namespace {

TEST(IMidiMessage, AccessorsAnswerOnlyForTheirKinds) {
  const struct {
    uint8_t status, data1, data2;
    int kind, note, velocity, controller;
    double bend;
  } cases[] = {
      {0x93, 60, 100, IMidiMessage::kNoteOn, 60, 100, 60, 0.0},
      {0x80, 60, 0, IMidiMessage::kNoteOff, 60, 0, 60, 0.0},
      {0xA0, 61, 90, IMidiMessage::kPolyAftertouch, 61, -1, 61, 0.0},
      {0xB0, 7, 100, IMidiMessage::kControlChange, -1, -1, 7, 0.0},
      {0xC0, 5, 0, IMidiMessage::kProgramChange, -1, -1, 5, 0.0},
      {0xE0, 0, 64, IMidiMessage::kPitchWheel, -1, -1, 0, 0.0},
      {0xE0, 0, 0, IMidiMessage::kPitchWheel, -1, -1, 0, -1.0},
      {0xEF, 127, 127, IMidiMessage::kPitchWheel, -1, -1, 127, 8191.0 / 8192.0},
      {0xF8, 1, 2, IMidiMessage::kNone, -1, -1, 1, 0.0},
      {0x7F, 1, 2, IMidiMessage::kNone, -1, -1, 1, 0.0},
      // Data bytes are kept to 7 bits: a note above 127 would index past any per-key table.
      {0x90, 0xC0, 0xFF, IMidiMessage::kNoteOn, 0x40, 0x7F, 0x40, 0.0},
      {0xE0, 0xFF, 0xFF, IMidiMessage::kPitchWheel, -1, -1, 0x7F, 8191.0 / 8192.0},
  };
  for (const auto& c : cases) {
    const IMidiMessage msg(0, c.status, c.data1, c.data2);
    SCOPED_TRACE(testing::Message() << std::hex << int{c.status} << " " << int{c.data1});
    EXPECT_EQ(msg.Kind(), c.kind);
    EXPECT_EQ(msg.NoteNumber(), c.note);
    EXPECT_EQ(msg.Velocity(), c.velocity);
    EXPECT_EQ(msg.ControllerNumber(), c.controller);
    EXPECT_DOUBLE_EQ(msg.PitchWheel(), c.bend);
  }
}

// Messages are tagged by data1 so that their order can be checked.
void AddTagged(IMidiEventQueue* queue, int offset, int tag) {
  const IMidiMessage msg(offset, 0x90, static_cast<uint8_t>(tag), 100);
  ASSERT_TRUE(queue->Add(&msg));
}

std::vector<int> Tags(const IMidiEventQueue& queue) {
  std::vector<int> tags;
  for (int i = 0; i < queue.Count(); ++i)
    tags.push_back(queue.At(i)->data1);
  return tags;
}

TEST(IMidiEventQueue, OrdersByOffsetKeepingArrivalOrderForEqualOffsets) {
  IMidiEventQueue queue;
  AddTagged(&queue, 5, 1);
  AddTagged(&queue, 3, 2);
  AddTagged(&queue, 5, 3);
  AddTagged(&queue, 0, 4);
  EXPECT_EQ(Tags(queue), (std::vector<int>{4, 2, 1, 3}));
  AddTagged(&queue, 3, 5);
  EXPECT_EQ(Tags(queue), (std::vector<int>{4, 2, 5, 1, 3}));
  queue.RemoveFront();
  AddTagged(&queue, -1, 6);  // earlier than everything left: goes to the front, not before it
  EXPECT_EQ(Tags(queue), (std::vector<int>{6, 2, 5, 1, 3}));
  EXPECT_FALSE(queue.Add(nullptr));
}

TEST(IMidiEventQueue, FlushMovesTheRestIntoTheNextBlock) {
  IMidiEventQueue queue;
  for (int i = 0; i < 4; ++i)
    AddTagged(&queue, 10 + 30 * i, i);
  queue.RemoveFront();
  queue.RemoveFront();
  queue.Flush(64);
  ASSERT_EQ(queue.Count(), 2);
  EXPECT_EQ(queue.Front()->offset, 70 - 64);
  EXPECT_EQ(queue.At(1)->offset, 100 - 64);
  for (int i = 0; i < 3; ++i)
    queue.RemoveFront();  // the last one on an empty queue does nothing
  EXPECT_EQ(queue.Front(), nullptr);
  EXPECT_EQ(queue.Count(), 0);
}

TEST(IMidiEventQueue, ResizeRoundsToWholePagesAndKeepsPendingMessages) {
  IMidiEventQueue queue;
  EXPECT_EQ(queue.Resize(100), 512);
  EXPECT_EQ(queue.GrowthStep(), 512);
  EXPECT_EQ(queue.Resize(512), 512);
  EXPECT_EQ(queue.Resize(513), 1024);
  EXPECT_EQ(queue.GrowthStep(), 1024);

  for (int i = 0; i < 700; ++i)
    AddTagged(&queue, i, i % 100);
  EXPECT_EQ(queue.Resize(100), 1024);
  EXPECT_EQ(queue.GrowthStep(), 512);
  EXPECT_EQ(queue.Count(), 700);
  EXPECT_EQ(queue.At(699)->offset, 699);
}

TEST(IMidiEventQueue, ABlockSizeOfZeroStillLetsTheQueueGrow) {
  IMidiEventQueue queue(0, 0);
  EXPECT_EQ(queue.Resize(0), 0);
  EXPECT_GT(queue.GrowthStep(), 0);
  for (int i = 0; i < 1500; ++i)
    AddTagged(&queue, i, 0);
  EXPECT_EQ(queue.Count(), 1500);
  EXPECT_EQ(queue.Capacity(), 1536);
}

TEST(IMidiEventQueue, AFullQueueReusesConsumedSlotsBeforeGrowing) {
  IMidiEventQueue queue(1024, 1024);
  for (int i = 0; i < 1024; ++i)
    AddTagged(&queue, i, 0);
  queue.RemoveFront();
  AddTagged(&queue, 5000, 9);
  EXPECT_EQ(queue.Capacity(), 1024);
  AddTagged(&queue, 5001, 9);
  EXPECT_EQ(queue.Capacity(), 2048);
  EXPECT_EQ(queue.Count(), 1025);
  EXPECT_EQ(queue.Front()->offset, 1);
}

}  // namespace
