#include <gtest/gtest.h>

#include <thread>

#include "framework/mutex.h"

namespace {

// Increments under nested locks, as the plug-in does when processing calls ParamChanged.
void IncrementNested(Mutex* mutex, long* counter, int times) {
  for (int i = 0; i < times; ++i) {
    MutexLock outer(mutex);
    MutexLock inner(mutex);
    const long seen = *counter;
    *counter = seen + 1;
  }
}

TEST(Mutex, IsRecursiveAndKeepsTwoThreadsApart) {
  Mutex mutex;
  long counter = 0;
  constexpr int kTimes = 100000;
  std::thread other(IncrementNested, &mutex, &counter, kTimes);
  IncrementNested(&mutex, &counter, kTimes);
  other.join();
  EXPECT_EQ(counter, 2L * kTimes);
}

TEST(MutexLock, NullDoesNothingAndReleaseLeavesEarly) {
  MutexLock none(nullptr);
  none.Release();
  Mutex mutex;
  long counter = 0;
  {
    MutexLock lock(&mutex);
    lock.Release();
    // Another thread can take the lock now, while this scope is still open.
    std::thread other(IncrementNested, &mutex, &counter, 1);
    other.join();
  }
  EXPECT_EQ(counter, 1);
}

}  // namespace
