// Files named by UTF-8 paths, as the editor's file dialogs hand them over: natively and, under
// Wine, through the system's wide calls.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "framework/utf8_files.h"

namespace {

namespace fs = std::filesystem;

class Utf8FilesTest : public ::testing::Test {
 protected:
  Utf8FilesTest() {
    folder = fs::temp_directory_path() /
             ("tovalune-utf8-files-" + std::to_string(std::random_device()()));
    fs::create_directories(folder);
  }
  ~Utf8FilesTest() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  // A UTF-8 path in the folder.
  std::string PathOf(const char* name) const { return (folder / fs::u8path(name)).u8string(); }

  static bool Write(const std::string& path, const std::string& text) {
    std::FILE* file = OpenUtf8File(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
  }
  static std::string Read(const std::string& path) {
    std::FILE* file = OpenUtf8File(path.c_str(), "rb");
    if (!file) return "(none)";
    char buffer[64];
    const size_t got = std::fread(buffer, 1, sizeof buffer, file);
    std::fclose(file);
    return std::string(buffer, got);
  }

  fs::path folder;
};

TEST_F(Utf8FilesTest, NamesBeyondAsciiAreWrittenReadReplacedAndRemoved) {
  const std::string name = PathOf("B\xC3\xA4sse \xE2\x82\xAC \xE3\x83\x99.txt");  // Bässe € ベ
  const std::string fresh = name + ".saving";
  ASSERT_TRUE(Write(name, "old"));
  EXPECT_TRUE(fs::exists(fs::u8path(name)));
  EXPECT_EQ(Read(name), "old");

  ASSERT_TRUE(Write(fresh, "new"));
  EXPECT_TRUE(ReplaceUtf8File(fresh.c_str(), name.c_str()));
  EXPECT_EQ(Read(name), "new");
  EXPECT_FALSE(fs::exists(fs::u8path(fresh)));

  EXPECT_TRUE(RemoveUtf8File(name.c_str()));
  EXPECT_FALSE(fs::exists(fs::u8path(name)));
  EXPECT_EQ(fs::directory_iterator(folder), fs::directory_iterator());
}

TEST_F(Utf8FilesTest, FailuresLeaveEverythingAsItWas) {
  const std::string missing = PathOf("nowhere/\xC3\xA9.txt");
  const std::string kept = PathOf("kept.txt");
  ASSERT_TRUE(Write(kept, "kept"));
  EXPECT_EQ(OpenUtf8File(missing.c_str(), "rb"), nullptr);
  EXPECT_EQ(OpenUtf8File(missing.c_str(), "wb"), nullptr);
  EXPECT_FALSE(RemoveUtf8File(missing.c_str()));
  EXPECT_FALSE(ReplaceUtf8File(missing.c_str(), kept.c_str()));
  EXPECT_EQ(Read(kept), "kept");
  EXPECT_EQ(OpenUtf8File(nullptr, "rb"), nullptr);
  EXPECT_EQ(OpenUtf8File(kept.c_str(), nullptr), nullptr);
  EXPECT_FALSE(RemoveUtf8File(nullptr));
  EXPECT_FALSE(ReplaceUtf8File(kept.c_str(), nullptr));
}

}  // namespace
