#include <gtest/gtest.h>

#include <vector>

#include "framework/ptr_list.h"

namespace {

struct Counted {
  Counted(int v, int* alive) : value(v), aliveCount(alive) { ++*aliveCount; }
  ~Counted() { --*aliveCount; }
  int value;
  int* aliveCount;
};

std::vector<int> Values(const PtrList<Counted>& list) {
  std::vector<int> values;
  for (int i = 0; i < list.GetCount(); ++i)
    values.push_back(list.Get(i)->value);
  return values;
}

TEST(PtrList, InsertClampsTheIndexAndDeleteAtClosesTheGap) {
  int alive = 0;
  PtrList<Counted> list;
  list.Add(new Counted(1, &alive));
  list.Insert(-3, new Counted(0, &alive));
  list.Insert(99, new Counted(2, &alive));
  list.Insert(1, new Counted(5, &alive));
  EXPECT_EQ(Values(list), (std::vector<int>{0, 5, 1, 2}));
  EXPECT_EQ(list.Get(4), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);

  list.DeleteAt(1);
  list.DeleteAt(3);
  list.DeleteAt(-1);
  EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(alive, 3);
}

TEST(PtrList, DeleteAllAndDestructionFreeEveryEntry) {
  int alive = 0;
  {
    PtrList<Counted> list;
    for (int i = 0; i < 600; ++i)  // more than one page of pointers
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
