#include <cstdio>

#include "instrument/file_replace.h"

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  // rename() replaces an existing target in one step on these systems.
  return std::rename(from.c_str(), to.c_str()) == 0;
}
