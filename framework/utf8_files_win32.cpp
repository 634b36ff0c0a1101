// UTF-8 paths through the wide calls of the system and its C library.
#include <windows.h>

#include <cstring>

#include "framework/utf8_files.h"
#include "framework/wide_text_win32.h"

namespace {

constexpr int kPathUnits = 2048;  // the NUL included
constexpr int kModeUnits = 8;

// The wide form of a UTF-8 path; false for a path that is not valid UTF-8 or is too long.
bool WidePath(const char* path, wchar_t* wide) {
  return Utf8ToWideStrict(path, -1, wide, kPathUnits) > 0;
}

bool ReadsOnly(const char* mode) {
  return mode[0] == 'r' && !std::strchr(mode, '+');
}

}  // namespace

std::FILE* OpenUtf8File(const char* path, const char* mode) {
  if (!path || !mode) return nullptr;
  wchar_t widePath[kPathUnits];
  wchar_t wideMode[kModeUnits];
  if (!WidePath(path, widePath) || Utf8ToWideStrict(mode, -1, wideMode, kModeUnits) <= 0)
    return std::fopen(path, mode);
  std::FILE* file = _wfopen(widePath, wideMode);
  return file || !ReadsOnly(mode) ? file : std::fopen(path, mode);
}

bool RemoveUtf8File(const char* path) {
  if (!path) return false;
  wchar_t wide[kPathUnits];
  return WidePath(path, wide) ? _wremove(wide) == 0 : std::remove(path) == 0;
}

bool ReplaceUtf8File(const char* from, const char* to) {
  if (!from || !to) return false;
  constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  wchar_t wideFrom[kPathUnits];
  wchar_t wideTo[kPathUnits];
  if (WidePath(from, wideFrom) && WidePath(to, wideTo))
    return MoveFileExW(wideFrom, wideTo, kFlags) != 0;
  return MoveFileExA(from, to, kFlags) != 0;
}
