#include <gtest/gtest.h>

#include <string>

#include "framework/utf8_text.h"

namespace {

// Every text cut to a 6-byte buffer (5 bytes and the NUL) keeps only whole characters; a text
// of a given length is read no further.
TEST(Utf8Text, CopiesAreCutBeforeACharacterThatDoesNotFitWhole) {
  struct Case {
    const char* text;
    const char* expected;
    int textBytes = INT_MAX;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"abcde", "abcde"},
      {"abcdefgh", "abcde"},
      {"abcd\xC3\xA9", "abcd"},                          // é would need bytes 5 and 6
      {"abc\xC3\xA9x", "abc\xC3\xA9"},                   // é ends exactly at the limit
      {"ab\xE2\x82\xAC\xE2\x82\xAC", "ab\xE2\x82\xAC"},  // the second euro sign is cut whole
      {"a\xF0\x9F\x8E\xB9z", "a\xF0\x9F\x8E\xB9"},       // a four-byte character fits
      {"\xF0\x9F\x8E\xB9\xF0\x9F\x8E\xB9", "\xF0\x9F\x8E\xB9"},
      {nullptr, ""},
      {"abcdefgh", "ab", 2},
      {"abcd\xC3\xA9", "abcd", 6},
  };
  for (const Case& c : cases) {
    char out[6];
    const int copied = CopyUtf8Cut(out, sizeof out, c.text, c.textBytes);
    EXPECT_STREQ(out, c.expected) << (c.text ? c.text : "(null)");
    EXPECT_EQ(copied, static_cast<int>(std::string(c.expected).size()));
  }
}

TEST(Utf8Text, NothingIsWrittenWithoutRoom) {
  char out[2] = {'x', 'y'};
  EXPECT_EQ(CopyUtf8Cut(out, 0, "abc"), 0);
  EXPECT_EQ(out[0], 'x');
  EXPECT_EQ(CopyUtf8Cut(nullptr, 4, "abc"), 0);
  EXPECT_EQ(CopyUtf8Cut(out, 1, "abc"), 0);
  EXPECT_EQ(out[0], '\0');
}

}  // namespace
