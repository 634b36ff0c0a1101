#pragma once

// UTF-8 inside the editor, UTF-16 at the Win32 wide calls. Windows builds only.

#include <string>

#include "framework/heap_string.h"

// The UTF-16 form of a UTF-8 text (null gives ""). Any thread; allocates.
std::wstring Utf8ToWide(const char* text);
// Writes at most size - 1 units of it into out and terminates it, never splitting a surrogate
// pair; with paths, every '/' becomes '\'. The units written. Any thread; allocates a scratch.
int Utf8ToWide(const char* text, wchar_t* out, int size, bool path = false);
// Replaces out with the UTF-8 form of length units of text (-1: up to the NUL). False, with out
// emptied, when the text cannot be converted. Any thread; allocates.
bool WideToUtf8(const wchar_t* text, int length, HeapString* out);
