// The numbered factory preset library: 219 preset files in two sub-folders of the library
// folder, which lies below the common documents folder.
#pragma once

#include <string>

namespace PresetLibrary {

constexpr int kFirstPreset = 1;
constexpr int kLastPreset = 219;
constexpr const char* kLibraryFolder = "/VornAudio/Tovalune/Presets/";
constexpr const char* kFileExtension = ".tovalunepreset";

// The base name of preset n (category code, " - ", title), or null outside 1..219.
// Any thread; allocates nothing.
const char* PresetName(int n);
// The sub-folder of preset n ("Factory" or "GlassTidesExpansion"), or null outside 1..219.
// Any thread; allocates nothing.
const char* PresetFolder(int n);

// The preset number a PresetSelector value names: (value + 0.5) truncated toward zero; values
// beyond the int range (or not numbers) give 0. Any thread; allocates nothing.
int PresetNumber(double selectorValue);

// The file name of preset n below documentsFolder: the library folder followed by the
// sub-folder, '/', the base name and the extension; the library folder alone when n names no
// preset; "" when documentsFolder is empty (nothing can be found then). Any thread; allocates.
std::string PresetPath(const std::string& documentsFolder, int n);

}  // namespace PresetLibrary
