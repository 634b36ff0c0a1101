#include <gtest/gtest.h>

#include "framework/ptr_list.h"

namespace {

struct Counted {
  explicit Counted(int v, int* alive) : value(v), aliveCount(alive) { ++*aliveCount; }
  ~Counted() { --*aliveCount; }
  int value;
  int* aliveCount;
};

TEST(PtrList, InsertClampsTheIndex) {
  int alive = 0;
  PtrList<Counted> list;
  list.Add(new Counted(1, &alive));
  list.Insert(-3, new Counted(0, &alive));
  list.Insert(99, new Counted(2, &alive));
  list.Insert(1, new Counted(5, &alive));
  ASSERT_EQ(list.GetCount(), 4);
  EXPECT_EQ(list.Get(0)->value, 0);
  EXPECT_EQ(list.Get(1)->value, 5);
  EXPECT_EQ(list.Get(2)->value, 1);
  EXPECT_EQ(list.Get(3)->value, 2);
  EXPECT_EQ(list.Get(4), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(PtrList, DeleteAtFreesTheEntryAndClosesTheGap) {
  int alive = 0;
  PtrList<Counted> list;
  for (int i = 0; i < 3; ++i)
    list.Add(new Counted(i, &alive));
  list.DeleteAt(1);
  EXPECT_EQ(alive, 2);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.Get(1)->value, 2);
  list.DeleteAt(2);
  list.DeleteAt(-1);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(alive, 2);
}

TEST(PtrList, DeleteAllAndDestructionFreeEveryEntry) {
  int alive = 0;
  {
    PtrList<Counted> list;
    for (int i = 0; i < 600; ++i)
      list.Add(new Counted(i, &alive));
    EXPECT_EQ(list.Get(599)->value, 599);
    list.DeleteAll();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(list.GetCount(), 0);
    list.Add(new Counted(7, &alive));
  }
  EXPECT_EQ(alive, 0);
}

}  // namespace
