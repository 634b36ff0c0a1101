#include <windows.h>

#include <new>

#include "framework/mutex.h"

namespace {

CRITICAL_SECTION* Section(unsigned char* storage) {
  return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

}  // namespace

static_assert(sizeof(CRITICAL_SECTION) <= 64, "Mutex storage too small");
static_assert(alignof(CRITICAL_SECTION) <= 16, "Mutex storage alignment too small");

Mutex::Mutex() {
  CRITICAL_SECTION* section = new (storage) CRITICAL_SECTION;
  InitializeCriticalSection(section);
}

Mutex::~Mutex() {
  DeleteCriticalSection(Section(storage));
}

void Mutex::Enter() {
  EnterCriticalSection(Section(storage));
}

void Mutex::Leave() {
  LeaveCriticalSection(Section(storage));
}
