// Without Windows a UTF-8 path is an ordinary file name.
#include "framework/utf8_files.h"

std::FILE* OpenUtf8File(const char* path, const char* mode) {
  return path && mode ? std::fopen(path, mode) : nullptr;
}

bool RemoveUtf8File(const char* path) {
  return path && std::remove(path) == 0;
}

bool ReplaceUtf8File(const char* from, const char* to) {
  // rename() replaces an existing target in one step on these systems.
  return from && to && std::rename(from, to) == 0;
}
