// The generated files: sizes, PNG format, the resource scripts and repeatable output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "instrument/editor/editor_images.h"
#include "png_picture.h"

namespace {

using namespace EditorLayout;
namespace fs = std::filesystem;

TEST(ArtworkFiles, EveryImageHasItsTableSizeAsEightBitRgbaAtBothScales) {
  for (const Image& image : kImages) {
    for (int scale : {1, 2}) {
      SCOPED_TRACE(ImagePath(image.id, scale));
      const PngHeader header = ParsePngHeader(ReadFileBytes(ImagePath(image.id, scale)));
      ASSERT_TRUE(header.valid);
      EXPECT_EQ(header.width, static_cast<std::uint32_t>(image.width * scale));
      EXPECT_EQ(header.height, static_cast<std::uint32_t>(image.height * scale));
      EXPECT_EQ(header.height % image.frames, 0u);
      EXPECT_EQ(header.bitDepth, 8);
      EXPECT_EQ(header.colourType, 6);  // RGBA
      EXPECT_EQ(header.interlace, 0);
    }
  }
}

TEST(ArtworkFiles, ResourceScriptsNameEveryImageUnderItsId) {
  for (int scale : {1, 2}) {
    const std::string folder = std::string(TOVALUNE_ARTWORK_DIR) + "/scale" + std::to_string(scale);
    std::ifstream script(folder + "/tovalune_images.rc");
    std::string text((std::istreambuf_iterator<char>(script)), {});
    for (const Image& image : kImages) {
      const std::string line =
          std::to_string(image.id) + " PNG \"" + folder + "/va_" + image.stem + ".png\"";
      EXPECT_NE(text.find(line + "  // resources/img/va_" + image.stem + ".png\n"),
                std::string::npos)
          << line;
    }
  }
}

TEST(ArtworkFiles, ASecondRunWritesTheSameBytes) {
  char pattern[] = "/tmp/tovalune_artwork_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path again = pattern;
  const std::string command =
      std::string("\"") + TOVALUNE_ARTWORK_GENERATOR + "\" \"" + again.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const fs::path built = TOVALUNE_ARTWORK_DIR;
  int compared = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(again)) {
    if (entry.path().extension() != ".png") continue;
    const fs::path relative = fs::relative(entry.path(), again);
    EXPECT_EQ(ReadFileBytes(entry.path().string()), ReadFileBytes((built / relative).string()))
        << relative;
    ++compared;
  }
  EXPECT_EQ(compared, 2 * kImageCount + 2);  // and the two contact sheets
  fs::remove_all(again);
}

}  // namespace
