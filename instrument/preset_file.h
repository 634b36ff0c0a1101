// The preset file format: plain ASCII text on one line, no separators. Three header elements
// ("<Company>Vorn Audio</Company>", "<Product>Tovalune</Product>", "<Version>1.0.0</Version>")
// followed by one element per saved parameter, "<Name>value</Name>", in a fixed order. Values
// are plain (not normalized), written like a default C++ stream: general notation with six
// significant digits. Reading looks for each element anywhere in the text and takes the number
// at the start of its value, in single precision. Numbers are written and read the same way
// whatever locale the host has set.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace PresetFile {

constexpr int kElementCount = 115;
// A full preset is about 5 KB; anything longer is not a preset file.
constexpr std::size_t kMaxFileBytes = 64 * 1024;

struct Element {
  int index;        // engine parameter index
  const char* tag;  // the parameter's name
};

// The 115 saved parameters in file order. Any thread; allocates nothing.
const Element* Elements();

// The file text for the given values (paramValues[i] is the value of parameter i; the array
// holds every parameter). Any thread; allocates.
std::string Format(const double* paramValues);

struct Value {
  int index;
  double value;
};

// The values of every element found in text, in file order. Elements that are missing, or
// whose value does not start with a finite single-precision number, are left out.
// Any thread; allocates.
std::vector<Value> Parse(const std::string& text);

// The part of a file's contents that is parsed: everything after the last line break.
// Any thread; allocates.
std::string LastLine(const std::string& contents);

// The name shown for a preset file: without folders and extension, cut to 35 characters
// (UTF-8 characters, each kept whole) followed by "..." when longer. Any thread; allocates.
std::string DisplayName(const std::string& fileName);

// One value as the file writes it ("0.5", "1", "1e-05", "0.123457"). Any thread; allocates.
std::string FormatNumber(double value);
// The number at the start of text (after white space) in decimal or exponent form, rounded to
// single precision; false when there is none or it lies outside the normal single-precision range
// (overflow, or a non-zero value below the smallest normal float).
// Any thread; allocates nothing.
bool ParseNumber(const char* text, std::size_t length, double* value);

}  // namespace PresetFile
