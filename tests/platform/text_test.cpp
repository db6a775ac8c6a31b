#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::platform {
namespace {

struct Utf8Case {
  const char* label;
  std::string utf8;
  std::u16string utf16;
};

TEST(Utf16ToUtf8, EncodesEveryLengthAndPairs) {
  const Utf8Case cases[] = {
      {"ascii", "Kx 4", u"Kx 4"},
      {"two bytes", "\xC3\xA9", u"\u00E9"},
      {"three bytes", "\xEA\xB0\x80", u"\uAC00"},
      {"last BMP", "\xEF\xBF\xBF", u"\uFFFF"},
      {"surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"embedded NUL", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
      {"ASCII run, then a pair", "Kx/\xF0\x9F\x98\x80/a", u"Kx/\U0001F600/a"},
      {"ASCII run, then two bytes", "path/caf\xC3\xA9", u"path/caf\u00E9"},
      {"DEL then U+0080", "\x7F\xC2\x80", u"\u007F\u0080"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
  }
}

TEST(Utf16ToUtf8, ReplacesUnpairedSurrogates) {
  const std::string replacement = "\xEF\xBF\xBD";
  const struct {
    const char* label;
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {"high at end", std::u16string(1, char16_t(0xD800)), replacement},
      {"low alone", std::u16string(1, char16_t(0xDC00)), replacement},
      {"high then letter", std::u16string{char16_t(0xD83D), u'A'}, replacement + "A"},
      {"ASCII run, then high at end", std::u16string{u'a', u'b', char16_t(0xD83D)},
       "ab" + replacement},
      {"reversed pair", std::u16string{char16_t(0xDE00), char16_t(0xD83D)},
       replacement + replacement},
      {"two highs then low",
       std::u16string{char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)},
       replacement + "\xF0\x9F\x98\x80"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
  }
}

TEST(Utf8ToUtf16, ReplacesEachMaximalInvalidSubsequence) {
  const char16_t r = 0xFFFD;
  const struct {
    const char* label;
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"lone continuation", "\x80", {r}},
      {"overlong NUL", "\xC0\x80", {r, r}},
      {"overlong three bytes", "\xE0\x80\x80", {r, r, r}},
      {"encoded surrogate", "\xED\xA0\x80", {r, r, r}},
      {"above U+10FFFF", "\xF4\x90\x80\x80", {r, r, r, r}},
      {"F5 lead", "\xF5\x80", {r, r}},
      {"truncated at end", "\xE4\xB8", {r}},
      {"truncated before letter", "\xE4\xB8" "A", {r, u'A'}},
      {"truncated four bytes", "\xF0\x9F\x98" "b", {r, u'b'}},
      {"FF byte", "a\xFF" "b", {u'a', r, u'b'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
  }
}

TEST(Utf8ToUtf16, RoundTripsAcrossTheCodeSpace) {
  for (char32_t codePoint = 0; codePoint <= 0x10FFFF; codePoint += 0x61) {
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;
    std::u16string utf16;
    if (codePoint < 0x10000) {
      utf16.push_back(static_cast<char16_t>(codePoint));
    } else {
      utf16.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
      utf16.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
    }
    const std::string utf8 = Utf16ToUtf8(utf16);
    const size_t expectedLength =
        codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    ASSERT_EQ(utf8.size(), expectedLength) << std::hex << static_cast<uint32_t>(codePoint);
    ASSERT_EQ(Utf8ToUtf16(utf8), utf16) << std::hex << static_cast<uint32_t>(codePoint);
  }
}

TEST(BoundedLength, StopsAtNulOrCapacity) {
  const char16_t wide[] = {u'a', u'b', u'c', 0, u'x', u'y'};
  const char narrow[] = {'a', 'b', 'c', 0, 'x', 'y'};
  const struct {
    size_t capacity;
    size_t expected;
  } cases[] = {{6, 3}, {4, 3}, {3, 3}, {2, 2}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.capacity);
    EXPECT_EQ(BoundedLength(wide, c.capacity), c.expected);
    EXPECT_EQ(BoundedLength(narrow, c.capacity), c.expected);
  }
  // Without a NUL, nothing past the capacity is read (the sanitizer build checks this).
  const char16_t full[2] = {u'a', u'b'};
  EXPECT_EQ(BoundedLength(full, 2), 2u);
}

}  // namespace
}  // namespace kx::platform
