#include <gtest/gtest.h>

#include <vector>

#include "framework/midi_queue.h"

namespace {

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
}

TEST(IMidiEventQueue, AMessageEarlierThanAllConsumedOnesGoesToTheFront) {
  IMidiEventQueue queue;
  AddTagged(&queue, 2, 1);
  AddTagged(&queue, 4, 2);
  queue.RemoveFront();
  AddTagged(&queue, 1, 3);
  EXPECT_EQ(Tags(queue), (std::vector<int>{3, 2}));
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
  queue.RemoveFront();
  queue.RemoveFront();
  queue.RemoveFront();  // on an empty queue: nothing
  EXPECT_EQ(queue.Front(), nullptr);
  EXPECT_EQ(queue.Count(), 0);
}

TEST(IMidiEventQueue, ResizeRoundsToWholePagesOfMessages) {
  IMidiEventQueue queue;
  EXPECT_EQ(queue.Resize(100), 512);
  EXPECT_EQ(queue.GrowthStep(), 512);
  EXPECT_EQ(queue.Resize(512), 512);
  EXPECT_EQ(queue.Resize(513), 1024);
  EXPECT_EQ(queue.GrowthStep(), 1024);
}

TEST(IMidiEventQueue, ResizeNeverDropsPendingMessages) {
  IMidiEventQueue queue;
  for (int i = 0; i < 700; ++i)
    AddTagged(&queue, i, i % 100);
  EXPECT_EQ(queue.Resize(100), 1024);
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

TEST(IMidiEventQueue, GrowsByTheStepAndCompactsBeforeGrowing) {
  IMidiEventQueue queue(1024, 1024);
  for (int i = 0; i < 1024; ++i)
    AddTagged(&queue, i, 0);
  EXPECT_EQ(queue.Capacity(), 1024);
  queue.RemoveFront();
  AddTagged(&queue, 5000, 9);  // the consumed slot is reused instead of growing
  EXPECT_EQ(queue.Capacity(), 1024);
  AddTagged(&queue, 5001, 9);
  EXPECT_EQ(queue.Capacity(), 2048);
  EXPECT_EQ(queue.Count(), 1025);
  EXPECT_EQ(queue.Front()->offset, 1);
}

TEST(IMidiEventQueue, NullMessagesAreRefused) {
  IMidiEventQueue queue;
  EXPECT_FALSE(queue.Add(nullptr));
  EXPECT_EQ(queue.Count(), 0);
}

}  // namespace
