#include "framework/wide_text_win32.h"

#include <windows.h>

#include <cwchar>
#include <vector>

std::wstring Utf8ToWide(const char* text) {
  if (!text || !*text) return std::wstring();
  const int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (units <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], units);
  wide.resize(static_cast<size_t>(units - 1));
  return wide;
}

int Utf8ToWide(const char* text, wchar_t* out, int size, bool path) {
  if (!out || size <= 0) return 0;
  const std::wstring wide = Utf8ToWide(text);
  int count = static_cast<int>(wide.size());
  if (count > size - 1) {
    count = size - 1;
    // A high surrogate whose partner was cut off would leave half a character.
    if (count > 0 && wide[count - 1] >= 0xD800 && wide[count - 1] <= 0xDBFF) --count;
  }
  for (int i = 0; i < count; ++i)
    out[i] = path && wide[i] == L'/' ? L'\\' : wide[i];
  out[count] = L'\0';
  return count;
}

int Utf8ToWideStrict(const char* text, int bytes, wchar_t* out, int size) {
  if (!text || bytes == 0 || (bytes < 0 && *text == '\0')) return 0;
  if (size < 0 || (!out && size > 0)) return 0;
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, bytes, out, size);
}

bool WideToUtf8(const wchar_t* text, int length, HeapString* out) {
  if (!out) return false;
  out->Set("");
  if (!text) return false;
  if (length < 0) length = static_cast<int>(std::wcslen(text));
  if (length == 0) return true;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  std::vector<char> utf8(static_cast<size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), bytes, nullptr, nullptr);
  out->Set(0, utf8.data(), bytes);
  return out->Length() == bytes;
}
