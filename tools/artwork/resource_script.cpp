#include <cstdio>

#include "instrument/editor/editor_images.h"
#include "output_files.h"

using namespace EditorLayout;

std::string ImageFileName(int id) {
  return std::string("va_") + ImageById(id).stem + kImageNameSuffix;
}

bool WriteResourceScript(const std::string& path, const std::string& folder, int scale) {
  // Resource compilers read backslashes and quotes inside strings as escapes.
  if (folder.find_first_of("\\\"\n") != std::string::npos) {
    std::fprintf(stderr, "error: the folder %s cannot be named in a resource script\n",
                 folder.c_str());
    return false;
  }
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  std::fprintf(file, "// The editor's %d images at scale %d, written by the artwork generator.\n",
               kImageCount, scale);
  for (const Image& image : kImages) {
    std::fprintf(file, "%d PNG \"%s/%s\"  // %s%s%s\n", image.id, folder.c_str(),
                 ImageFileName(image.id).c_str(), kImageNamePrefix, image.stem, kImageNameSuffix);
  }
  const bool ok = std::ferror(file) == 0;
  return std::fclose(file) == 0 && ok;
}
