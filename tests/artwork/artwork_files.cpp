// Natively the pictures are the generator's files, and a second run writes them byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "artwork_pictures.h"
#include "instrument/editor/editor_images.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

std::vector<std::uint8_t> PictureBytes(int id, int scale) {
  return ReadFile(PictureFile(id, scale));
}

TEST(ArtworkFiles, ASecondRunWritesTheSameBytes) {
  char pattern[] = "/tmp/tovalune_artwork_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path again = pattern, built = TOVALUNE_ARTWORK_DIR;
  const std::string command =
      std::string("\"") + TOVALUNE_ARTWORK_GENERATOR + "\" \"" + pattern + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int compared = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(again)) {
    if (entry.path().extension() != ".png") continue;
    const fs::path relative = fs::relative(entry.path(), again);
    EXPECT_EQ(ReadFile(entry.path()), ReadFile(built / relative)) << relative;
    ++compared;
  }
  EXPECT_EQ(compared, 2 * EditorLayout::kImageCount + 2);  // and the two contact sheets
  fs::remove_all(again);
}
