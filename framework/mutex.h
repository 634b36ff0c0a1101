#pragma once

#include <cstddef>

// A recursive lock: the thread that holds it may enter it again. One per plug-in instance
// (the instance lock) and a few process-wide ones (instance creation, bitmap and font caches).
// Windows builds use a critical section, other builds a standard recursive mutex.
class Mutex {
 public:
  // Any thread; allocates nothing.
  Mutex();
  ~Mutex();

  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  // Any thread; blocks until the lock is free or already held by this thread. Allocates nothing.
  void Enter();
  // The holding thread; one Leave for every Enter.
  void Leave();

 private:
  // Room for the platform's lock object, so that the header stays free of platform headers.
  static constexpr std::size_t kStorageSize = 64;
  alignas(16) unsigned char storage[kStorageSize];
};

// Holds a Mutex for its scope. A null Mutex makes it do nothing.
class MutexLock {
 public:
  // Any thread; enters the mutex when given. Allocates nothing.
  explicit MutexLock(Mutex* mutex) : held(mutex) {
    if (held) held->Enter();
  }
  ~MutexLock() { Release(); }

  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

  // Leaves the mutex early (before the object that owns it goes away); afterwards the lock
  // holds nothing. The holding thread.
  void Release() {
    if (held) held->Leave();
    held = nullptr;
  }

 private:
  Mutex* held;
};
