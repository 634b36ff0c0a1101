#include <mutex>
#include <new>

#include "framework/mutex.h"

namespace {

std::recursive_mutex& Native(unsigned char* storage) {
  return *std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}

}  // namespace

static_assert(sizeof(std::recursive_mutex) <= 64, "Mutex storage too small");
static_assert(alignof(std::recursive_mutex) <= 16, "Mutex storage alignment too small");

Mutex::Mutex() {
  new (storage) std::recursive_mutex();
}

Mutex::~Mutex() {
  Native(storage).~recursive_mutex();
}

void Mutex::Enter() {
  Native(storage).lock();
}

void Mutex::Leave() {
  Native(storage).unlock();
}
