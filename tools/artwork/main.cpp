// The artwork generator: draws the editor's 35 images at single and double scale, writes them
// as PNG files with a resource script per scale, and a contact sheet per scale.
//
//   tovalune_artwork <output-folder> [--fonts <folder>]
//
// Output: <output-folder>/scale1/va_<stem>.png, scale1/tovalune_images.rc, the same under
// scale2, and contact_sheet_scale1.png, contact_sheet_scale2.png. Same bytes on every run.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "image_set.h"
#include "instrument/editor/editor_images.h"
#include "output_files.h"

namespace fs = std::filesystem;

namespace {

bool WriteScale(const fs::path& output, int scale, const Fonts& fonts) {
  const fs::path folder = output / ("scale" + std::to_string(scale));
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "error: cannot create %s\n", folder.c_str());
    return false;
  }
  std::vector<std::unique_ptr<Canvas>> images;
  for (const EditorLayout::Image& image : EditorLayout::kImages) {
    images.push_back(DrawImage(image.id, scale, fonts));
    const fs::path file = folder / ImageFileName(image.id);
    if (!images.back()->WritePng(file.string())) {
      std::fprintf(stderr, "error: cannot draw or write %s\n", file.c_str());
      return false;
    }
  }
  const fs::path sheet = output / ("contact_sheet_scale" + std::to_string(scale) + ".png");
  if (!WriteContactSheet(sheet.string(), images, scale, fonts)) {
    std::fprintf(stderr, "error: cannot write %s\n", sheet.c_str());
    return false;
  }
  const fs::path script = folder / "tovalune_images.rc";
  if (!WriteResourceScript(script.string(), folder.string(), scale)) {
    std::fprintf(stderr, "error: cannot write %s\n", script.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output;
  std::string fontFolder = TOVALUNE_FONT_DIR;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
      fontFolder = argv[++i];
    } else if (output.empty() && argv[i][0] != '-') {
      output = argv[i];
    } else {
      output.clear();
      break;
    }
  }
  if (output.empty()) {
    std::fprintf(stderr, "usage: %s <output-folder> [--fonts <folder>]\n", argv[0]);
    return 2;
  }
  Fonts fonts;
  if (!fonts.Load(fontFolder)) return 1;
  std::error_code error;
  const fs::path folder = fs::absolute(output, error).lexically_normal();
  if (error) {
    std::fprintf(stderr, "error: cannot resolve %s\n", output.c_str());
    return 1;
  }
  for (int scale : {EditorLayout::kSingleScale, EditorLayout::kDoubleScale}) {
    if (!WriteScale(folder, scale, fonts)) return 1;
  }
  return 0;
}
