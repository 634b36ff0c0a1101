// On Windows the pictures are the "PNG" resources of the plug-in binaries: the VST3 module
// embeds scale 1, the VST2 library scale 2.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "artwork_pictures.h"
#include "instrument/editor/editor_images.h"

namespace {

// A build machine path as Windows sees it: absolute POSIX paths lie on drive Z: under Wine.
std::string WindowsPath(std::string path) {
  if (path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

HMODULE ModuleOfScale(int scale) {
  static const HMODULE modules[2] = {
      LoadLibraryExA(WindowsPath(TOVALUNE_VST3_MODULE).c_str(), 0, LOAD_LIBRARY_AS_DATAFILE),
      LoadLibraryExA(WindowsPath(TOVALUNE_VST2_LIBRARY).c_str(), 0, LOAD_LIBRARY_AS_DATAFILE)};
  return modules[scale - 1];
}

}  // namespace

std::vector<std::uint8_t> PictureBytes(int id, int scale) {
  const HMODULE module = ModuleOfScale(scale);
  const HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(id), "PNG") : nullptr;
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  return bytes ? std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module, found))
               : std::vector<std::uint8_t>();
}

TEST(EmbeddedArtwork, EveryIdHoldsItsGeneratedFileAndNoOtherIdIsUsed) {
  for (int scale : {1, 2}) {
    ASSERT_NE(ModuleOfScale(scale), nullptr) << scale;
    for (const EditorLayout::Image& image : EditorLayout::kImages) {
      std::ifstream file(WindowsPath(PictureFile(image.id, scale)), std::ios::binary);
      const std::vector<std::uint8_t> generated(std::istreambuf_iterator<char>(file), {});
      ASSERT_FALSE(generated.empty()) << image.stem;
      EXPECT_EQ(PictureBytes(image.id, scale), generated) << image.stem << " at scale " << scale;
    }
    EXPECT_TRUE(PictureBytes(100, scale).empty() && PictureBytes(136, scale).empty());
  }
}
