#pragma once

// UTF-8 inside the plug-in, UTF-16 at the Win32 wide calls. Windows builds only.

#include <string>

#include "framework/heap_string.h"

// The UTF-16 form of a UTF-8 text (null gives ""; bytes that are not UTF-8 become U+FFFD).
// Any thread; allocates.
std::wstring Utf8ToWide(const char* text);
// Writes at most size - 1 units of it into out and terminates it, never splitting a surrogate
// pair; with paths, every '/' becomes '\'. The units written. Any thread; allocates a scratch.
int Utf8ToWide(const char* text, wchar_t* out, int size, bool path = false);
// The strict form for texts that must arrive whole: bytes bytes of text (bytes < 0: up to its
// NUL, which is converted too) into out, which holds size units; with a null out and size 0 it
// only counts. The units written (or needed), or 0 when the text is empty, is not valid UTF-8 or
// does not fit. Any thread; allocates nothing.
int Utf8ToWideStrict(const char* text, int bytes, wchar_t* out, int size);
// Replaces out with the UTF-8 form of length units of text (-1: up to the NUL). False, with out
// emptied, when the text cannot be converted. Any thread; allocates.
bool WideToUtf8(const wchar_t* text, int length, HeapString* out);
