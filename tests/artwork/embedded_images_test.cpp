// The plug-in binaries as Windows sees them: each embeds the 35 pictures as resources of type
// "PNG" under their ids, PNG files of the table's size times the binary's scale.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "instrument/editor/editor_images.h"

namespace {

using namespace EditorLayout;

struct ImageModule {
  const char* path;
  int scale;
};

const ImageModule kModules[] = {
#include "image_modules.h"
};

// A build machine path as Windows sees it: absolute POSIX paths lie on drive Z: under Wine.
std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = !path.empty() && path[0] == '/' ? L"Z:" : L"";
  for (char c : path)
    wide.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return wide;
}

std::uint32_t BigEndian32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

TEST(EmbeddedImages, EveryBinaryHoldsAll35PngResourcesAtItsScale) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (const ImageModule& module : kModules) {
    SCOPED_TRACE(module.path);
    HMODULE library =
        LoadLibraryExW(WindowsPath(module.path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(library, nullptr);
    for (const Image& image : kImages) {
      SCOPED_TRACE(image.stem);
      HRSRC found = FindResourceA(library, MAKEINTRESOURCEA(image.id), "PNG");
      ASSERT_NE(found, nullptr);
      const DWORD size = SizeofResource(library, found);
      HGLOBAL loaded = LoadResource(library, found);
      ASSERT_NE(loaded, nullptr);
      const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
      ASSERT_NE(bytes, nullptr);
      ASSERT_GT(size, 33u);
      EXPECT_EQ(std::memcmp(bytes, kSignature, 8), 0);
      EXPECT_EQ(std::memcmp(bytes + 12, "IHDR", 4), 0);
      EXPECT_EQ(BigEndian32(bytes + 16), static_cast<std::uint32_t>(image.width * module.scale));
      EXPECT_EQ(BigEndian32(bytes + 20), static_cast<std::uint32_t>(image.height * module.scale));
    }
    EXPECT_EQ(FindResourceA(library, MAKEINTRESOURCEA(100), "PNG"), nullptr);
    EXPECT_EQ(FindResourceA(library, MAKEINTRESOURCEA(136), "PNG"), nullptr);
    FreeLibrary(library);
  }
}

}  // namespace
