#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "environment.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xdeadbeef;
constexpr char kCanary = '\x5A';

std::u16string ToWide(uint32_t codePage, const std::string& bytes, uint32_t flags = 0) {
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return u"<failed>";
  std::u16string text(static_cast<size_t>(needed), u'\0');
  if (MultiByteToWideChar(codePage, flags, bytes.data(), length, text.data(), needed) != needed) {
    return u"<fill failed>";
  }
  return text;
}

std::string ToBytes(uint32_t codePage, const std::u16string& text, bool* usedDefault = nullptr,
                    const char* defaultChar = nullptr) {
  const int length = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0,
                                         defaultChar, usedDefault);
  if (needed <= 0) return "<failed>";
  std::string bytes(static_cast<size_t>(needed), '\0');
  if (WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), needed, defaultChar,
                          usedDefault) != needed) {
    return "<fill failed>";
  }
  return bytes;
}

struct SystemCodePages {
  uint32_t ansi;
  uint32_t oem;
};

// The ANSI and OEM code pages the process runs with. On POSIX systems they are the
// documented defaults while the environment names none. On Windows they are fixed by the
// system (Wine takes them from the locale) and the test run names them; none when it
// does not.
std::optional<SystemCodePages> ExpectedSystemCodePages() {
#ifdef _WIN32
  const char* named = std::getenv("KX48T7_WINE_CODE_PAGES");
  unsigned ansi = 0;
  unsigned oem = 0;
  if (named == nullptr || std::sscanf(named, "%u/%u", &ansi, &oem) != 2) return std::nullopt;
  return SystemCodePages{ansi, oem};
#else
  return SystemCodePages{949, 949};
#endif
}

// The code pages start from their documented defaults whatever the environment says.
class CodePageTest : public ::testing::Test {
 protected:
  test::ScopedEnvironment acp_{"KX48T7_ACP", nullptr};
  test::ScopedEnvironment oemcp_{"KX48T7_OEMCP", nullptr};
};

TEST_F(CodePageTest, ConvertsBothWays) {
  const struct {
    uint32_t codePage;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {949, "\xB0\xA1\xB3\xAA\xB4\xD9", u"\uAC00\uB098\uB2E4"},
      {949, "A\xB0\xA1" "b", u"A\uAC00b"},
      {932, "\x93\xFA\x96\x7B", u"\u65E5\u672C"},
      {932, "\xB1\x5C", u"\uFF71\\"},
      {932, "\x82\xA0\x83\x41", u"\u3042\u30A2"},
      {936, "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
      {936, "\x80", u"\u20AC"},
      {950, "\xA4\xA4\xA4\xE5", u"\u4E2D\u6587"},
      {1250, "\xD8\x8A", u"\u0158\u0160"},
      {1251, "\xC6", u"\u0416"},
      {1252, "\x80\xE9", u"\u20AC\u00E9"},
      {1252, "\x81\x8D", u"\u0081\u008D"},
      {1253, "\xC1", u"\u0391"},
      {1254, "\xD0", u"\u011E"},
      {1255, "\xE0", u"\u05D0"},
      {1256, "\xC7", u"\u0627"},
      {1257, "\xC0", u"\u0104"},
      {1258, "\xCC\xD2", u"\u0300\u0309"},
      {874, "\xA1", u"\u0E01"},
      {437, "\x82", u"\u00E9"},
      {850, "\x9D", u"\u00D8"},
      {852, "\x8B", u"\u0151"},
      {866, "\x80", u"\u0410"},
      {65001, "\xEA\xB0\x80\xF0\x9F\x98\x80", u"\uAC00\U0001F600"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "code page " << c.codePage << " bytes "
                                    << testing::PrintToString(c.bytes));
    EXPECT_EQ(ToWide(c.codePage, c.bytes), c.text);
    bool usedDefault = true;
    EXPECT_EQ(ToBytes(c.codePage, c.text, c.codePage == kCpUtf8 ? nullptr : &usedDefault),
              c.bytes);
    if (c.codePage != kCpUtf8) {
      EXPECT_FALSE(usedDefault);
    }
  }
}

TEST_F(CodePageTest, EveryCharacterOfEveryCodePageRoundTrips) {
  const uint32_t codePages[] = {437, 850, 852, 866, 874, 932, 936, 949, 950,
                                1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
  for (uint32_t codePage : codePages) {
    SCOPED_TRACE(codePage);
    CodePageInfoEx info{};
    ASSERT_TRUE(GetCodePageInfoEx(codePage, &info));
    auto isLead = [&](unsigned byte) {
      for (size_t i = 0; i + 1 < sizeof info.leadByte && info.leadByte[i] != 0; i += 2) {
        if (byte >= info.leadByte[i] && byte <= info.leadByte[i + 1]) return true;
      }
      return false;
    };
    int defined = 0;
    for (unsigned first = 0; first < 256; ++first) {
      for (unsigned second = 0; second < (isLead(first) ? 256u : 1u); ++second) {
        std::string bytes(1, static_cast<char>(first));
        if (isLead(first)) bytes.push_back(static_cast<char>(second));
        char16_t unit = 0;
        const int units = MultiByteToWideChar(codePage, kMbErrInvalidChars, bytes.data(),
                                              static_cast<int>(bytes.size()), &unit, 1);
        if (units != 1) continue;  // not a character of this code page
        ++defined;
        // Back to bytes and again to UTF-16 gives the same character (some characters
        // have two encodings, so the bytes may differ).
        char encoded[2] = {};
        bool usedDefault = true;
        const int length =
            WideCharToMultiByte(codePage, 0, &unit, 1, encoded, 2, nullptr, &usedDefault);
        ASSERT_GE(length, 1) << std::hex << first << " " << second;
        ASSERT_FALSE(usedDefault) << std::hex << first << " " << second;
        char16_t again = 0;
        ASSERT_EQ(MultiByteToWideChar(codePage, 0, encoded, length, &again, 1), 1);
        ASSERT_EQ(again, unit) << std::hex << first << " " << second;
      }
    }
    EXPECT_GE(defined, info.maxCharSize == 1 ? 240 : 7000);
  }
}

TEST_F(CodePageTest, UnmappableCharactersBecomeTheDefault) {
  bool usedDefault = false;
  EXPECT_EQ(ToBytes(1252, u"A\uAC00B", &usedDefault), "A?B");
  EXPECT_TRUE(usedDefault);
  usedDefault = false;
  EXPECT_EQ(ToBytes(1252, u"A\uAC00B", &usedDefault, "*"), "A*B");
  EXPECT_TRUE(usedDefault);
  usedDefault = false;
#ifdef _WIN32
  // Windows first tries its best-fit table (no WC_NO_BEST_FIT_CHARS): the accent goes.
  // The POSIX implementation has no best-fit tables yet.
  EXPECT_EQ(ToBytes(949, u"\u00E9\uAC00", &usedDefault), std::string("e\xB0\xA1"));
  EXPECT_FALSE(usedDefault);
#else
  EXPECT_EQ(ToBytes(949, u"\u00E9\uAC00", &usedDefault), std::string("?\xB0\xA1"));
  EXPECT_TRUE(usedDefault);
#endif
  // A double-byte default character is used whole.
  EXPECT_EQ(ToBytes(949, u"\u0100", nullptr, "\xA1\xA1"), "\xA1\xA1");

  // Surrogates, paired or not, never map to a legacy code page.
  const std::u16string surrogates[] = {
      u"A\U0001F600B",
      {u'A', char16_t(0xD800), u'B'},
      {u'A', char16_t(0xDC00), u'B'},
  };
  for (const auto& text : surrogates) {
    usedDefault = false;
    const std::string bytes = ToBytes(949, text, &usedDefault);
    EXPECT_TRUE(usedDefault);
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes.front(), 'A');
    EXPECT_EQ(bytes.back(), 'B');
    EXPECT_EQ(bytes.find_first_not_of("AB?"), std::string::npos) << bytes;
  }

  // To UTF-8 an unpaired surrogate is U+FFFD, or an error when asked for.
  const char16_t lone[] = {u'a', char16_t(0xD800)};
  EXPECT_EQ(ToBytes(kCpUtf8, std::u16string(lone, 2)), "a\xEF\xBF\xBD");
  char buffer[8];
  SetLastErrorCode(kSentinel);
  EXPECT_EQ(WideCharToMultiByte(kCpUtf8, kWcErrInvalidChars, lone, 2, buffer, 8, nullptr,
                                nullptr),
            0);
  EXPECT_EQ(GetLastErrorCode(), kErrorNoUnicodeTranslation);
}

TEST_F(CodePageTest, InvalidInputIsReplacedOrRefused) {
  const char16_t r = 0xFFFD;
  const struct {
    uint32_t codePage;
    std::string bytes;
    std::u16string text;
  } cases[] = {
#ifdef _WIN32
      // Windows reads a lead byte together with the byte after it and gives the code
      // page's default character for the pair (see CodePageInformation); 0xFF of 949
      // reads as a private-use character. The POSIX implementation replaces with U+FFFD.
      {949, "\xB0", {u'?'}},
      {949, "\xB0 ", {u'?'}},
      {949, "x\xFF", {u'x', char16_t(0xF8F7)}},
      {932, "\x81\x20", {char16_t(0x30FB)}},
      {65001, "\xC3\x28", {r, u'('}},
      {65001, "\xED\xA0\x80", {r, r}},
#else
      {949, "\xB0", {r}},
      {949, "\xB0 ", {r, u' '}},
      {949, "x\xFF", {u'x', r}},
      {932, "\x81\x20", {r, u' '}},
      {65001, "\xC3\x28", {r, u'('}},
      {65001, "\xED\xA0\x80", {r, r, r}},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "code page " << c.codePage << " bytes "
                                    << testing::PrintToString(c.bytes));
    EXPECT_EQ(ToWide(c.codePage, c.bytes), c.text);
    char16_t buffer[8];
    SetLastErrorCode(kSentinel);
    EXPECT_EQ(MultiByteToWideChar(c.codePage, kMbErrInvalidChars, c.bytes.data(),
                                  static_cast<int>(c.bytes.size()), buffer, 8),
              0);
    EXPECT_EQ(GetLastErrorCode(), kErrorNoUnicodeTranslation);
  }
}

TEST_F(CodePageTest, SizeQueryAndTooSmallBuffers) {
  const std::string korean = "\xB0\xA1\xB3\xAA\xB4\xD9";
  const std::u16string text = u"\uAC00\uB098\uB2E4";

  EXPECT_EQ(MultiByteToWideChar(949, 0, korean.data(), 6, nullptr, 0), 3);
  char16_t wide[4] = {u'x', u'x', u'x', u'x'};
  SetLastErrorCode(kSentinel);
  EXPECT_EQ(MultiByteToWideChar(949, 0, korean.data(), 6, wide, 2), 0);
  EXPECT_EQ(GetLastErrorCode(), kErrorInsufficientBuffer);
  EXPECT_EQ(wide[2], u'x');

  EXPECT_EQ(WideCharToMultiByte(949, 0, text.data(), 3, nullptr, 0, nullptr, nullptr), 6);
  char narrow[7];
  std::memset(narrow, kCanary, sizeof narrow);
  SetLastErrorCode(kSentinel);
  EXPECT_EQ(WideCharToMultiByte(949, 0, text.data(), 3, narrow, 5, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastErrorCode(), kErrorInsufficientBuffer);
  // Only whole characters are written, and nothing past the given size.
  EXPECT_EQ(std::string(narrow, 4), korean.substr(0, 4));
  EXPECT_EQ(narrow[4], kCanary);
  EXPECT_EQ(narrow[5], kCanary);

  EXPECT_EQ(WideCharToMultiByte(949, 0, text.data(), 3, narrow, 6, nullptr, nullptr), 6);
  EXPECT_EQ(std::string(narrow, 6), korean);
  EXPECT_EQ(narrow[6], kCanary);
}

TEST_F(CodePageTest, MinusOneLengthIncludesTheNul) {
  EXPECT_EQ(MultiByteToWideChar(949, 0, "AB", -1, nullptr, 0), 3);
  char16_t wide[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(949, 0, "AB", -1, wide, 4), 3);
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"AB\0x", 4));

  EXPECT_EQ(WideCharToMultiByte(949, 0, u"\uAC00", -1, nullptr, 0, nullptr, nullptr), 3);
  char narrow[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(WideCharToMultiByte(949, 0, u"\uAC00", -1, narrow, 4, nullptr, nullptr), 3);
  EXPECT_EQ(std::string(narrow, 4), std::string("\xB0\xA1\0x", 4));
}

TEST_F(CodePageTest, BadArgumentsAndFlags) {
  static char16_t wide[4];
  static char narrow[4];
  static bool usedDefault;
  const struct {
    const char* label;
    uint32_t error;
    int (*call)();
  } cases[] = {
      {"null source", kErrorInvalidParameter,
       [] { return MultiByteToWideChar(949, 0, nullptr, 2, wide, 4); }},
      {"zero length", kErrorInvalidParameter,
       [] { return MultiByteToWideChar(949, 0, "a", 0, wide, 4); }},
      {"null destination with size", kErrorInvalidParameter,
       [] { return MultiByteToWideChar(949, 0, "a", 1, nullptr, 4); }},
      {"unknown code page", kErrorInvalidParameter,
       [] { return MultiByteToWideChar(12345, 0, "a", 1, wide, 4); }},
      {"unknown flag", kErrorInvalidFlags,
       [] { return MultiByteToWideChar(949, 0x100, "a", 1, wide, 4); }},
      {"flags with UTF-8", kErrorInvalidFlags,
       [] { return MultiByteToWideChar(kCpUtf8, kMbPrecomposed, "a", 1, wide, 4); }},
      {"null destination back", kErrorInvalidParameter,
       [] { return WideCharToMultiByte(949, 0, u"a", 1, nullptr, 2, nullptr, nullptr); }},
      {"used default with UTF-8", kErrorInvalidParameter,
       [] { return WideCharToMultiByte(kCpUtf8, 0, u"a", 1, narrow, 4, nullptr, &usedDefault); }},
      {"invalid-chars flag outside UTF-8", kErrorInvalidFlags,
       [] { return WideCharToMultiByte(949, kWcErrInvalidChars, u"a", 1, narrow, 4, nullptr,
                                       nullptr); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    SetLastErrorCode(kSentinel);
    EXPECT_EQ(c.call(), 0);
    EXPECT_EQ(GetLastErrorCode(), c.error);
  }
}

TEST_F(CodePageTest, AcpAndOemCpConvertWithTheSystemCodePages) {
  const std::optional<SystemCodePages> expected = ExpectedSystemCodePages();
  if (!expected) GTEST_SKIP() << "KX48T7_WINE_CODE_PAGES names no code pages";
  EXPECT_EQ(AnsiCodePage(), expected->ansi);
  EXPECT_EQ(OemCodePage(), expected->oem);
  // The same two bytes read differently in each of the code pages the tests run with.
  const struct {
    uint32_t codePage;
    std::u16string text;
  } readings[] = {
      {949, u"\uAC00"},
      {1250, u"\u00B0\u02C7"},
      {852, u"\u2591\u00ED"},
  };
  const std::string bytes = "\xB0\xA1";
  for (const auto& [alias, codePage] : {std::pair{kCpAcp, expected->ansi},
                                        std::pair{kCpOemCp, expected->oem}}) {
    SCOPED_TRACE(testing::Message() << "alias " << alias << " code page " << codePage);
    bool known = false;
    for (const auto& reading : readings) {
      if (reading.codePage != codePage) continue;
      known = true;
      EXPECT_EQ(ToWide(alias, bytes), reading.text);
      EXPECT_EQ(ToBytes(alias, reading.text), bytes);
    }
    EXPECT_TRUE(known) << "no reading for this code page";
  }
}

// Only the POSIX implementation takes its code pages from the environment; Windows has
// them from the system.
#ifndef _WIN32
TEST_F(CodePageTest, EnvironmentChoosesAnsiAndOemCodePages) {
  {
    test::ScopedEnvironment acp("KX48T7_ACP", "1252");
    test::ScopedEnvironment oem("KX48T7_OEMCP", "437");
    EXPECT_EQ(AnsiCodePage(), 1252u);
    EXPECT_EQ(OemCodePage(), 437u);
    EXPECT_EQ(ToWide(kCpAcp, "\x80"), u"\u20AC");
    EXPECT_EQ(ToWide(kCpOemCp, "\x80"), u"\u00C7");
    EXPECT_EQ(ToBytes(kCpAcp, u"\u00E9"), "\xE9");
    CodePageInfoEx info{};
    ASSERT_TRUE(GetCodePageInfoEx(kCpOemCp, &info));
    EXPECT_EQ(info.codePage, 437u);
  }
  for (const char* bad : {"", "abc", "12x", "-5", "70000"}) {
    SCOPED_TRACE(bad);
    test::ScopedEnvironment acp("KX48T7_ACP", bad);
    EXPECT_EQ(AnsiCodePage(), 949u);
  }
  // A number the layer does not know is kept, and conversions then fail.
  test::ScopedEnvironment acp("KX48T7_ACP", "1361");
  EXPECT_EQ(AnsiCodePage(), 1361u);
  char16_t out[2];
  SetLastErrorCode(kSentinel);
  EXPECT_EQ(MultiByteToWideChar(kCpAcp, 0, "a", 1, out, 2), 0);
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidParameter);
}
#endif

TEST_F(CodePageTest, CodePageInformation) {
  const struct {
    uint32_t request;
    uint32_t codePage;
    uint32_t maxCharSize;
    std::vector<uint8_t> leadBytes;
    char16_t unicodeDefault;
  } cases[] = {
      {949, 949, 2, {0x81, 0xFE}, u'?'},
      {852, 852, 1, {}, u'?'},
      {932, 932, 2, {0x81, 0x9F, 0xE0, 0xFC}, 0x30FB},
      {936, 936, 2, {0x81, 0xFE}, u'?'},
      {950, 950, 2, {0x81, 0xFE}, u'?'},
      {1252, 1252, 1, {}, u'?'},
      {kCpUtf8, kCpUtf8, 4, {}, 0xFFFD},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request);
    CodePageInfoEx info;
    std::memset(&info, 0xEE, sizeof info);
    ASSERT_TRUE(GetCodePageInfoEx(c.request, &info));
    EXPECT_EQ(info.codePage, c.codePage);
    EXPECT_EQ(info.maxCharSize, c.maxCharSize);
    EXPECT_EQ(info.defaultChar[0], '?');
    EXPECT_EQ(info.defaultChar[1], 0);
    std::vector<uint8_t> expectedLead = c.leadBytes;
    expectedLead.resize(sizeof info.leadByte, 0);
    EXPECT_EQ(std::vector<uint8_t>(info.leadByte, info.leadByte + sizeof info.leadByte),
              expectedLead);
    EXPECT_EQ(info.unicodeDefaultChar, c.unicodeDefault);
    const std::u16string name(info.codePageName);
    EXPECT_FALSE(name.empty());
    EXPECT_LT(name.size(), std::size(info.codePageName));
#ifndef _WIN32
    // The name starts with the number, as Windows writes it ("949  (ANSI/OEM - Korean)");
    // Wine's names have no number, so this is checked here only.
    const std::string digits = std::to_string(c.codePage);
    EXPECT_EQ(name.substr(0, digits.size()), std::u16string(digits.begin(), digits.end()));
#endif
  }

  // The ANSI and OEM aliases describe the system's code pages.
  if (const std::optional<SystemCodePages> expected = ExpectedSystemCodePages()) {
    for (const auto& [alias, codePage] : {std::pair{kCpAcp, expected->ansi},
                                          std::pair{kCpOemCp, expected->oem}}) {
      SCOPED_TRACE(testing::Message() << "alias " << alias);
      CodePageInfoEx byAlias;
      CodePageInfoEx byNumber;
      std::memset(&byAlias, 0xEE, sizeof byAlias);
      std::memset(&byNumber, 0xDD, sizeof byNumber);
      ASSERT_TRUE(GetCodePageInfoEx(alias, &byAlias));
      ASSERT_TRUE(GetCodePageInfoEx(codePage, &byNumber));
      EXPECT_EQ(byAlias.codePage, codePage);
      EXPECT_EQ(byAlias.maxCharSize, byNumber.maxCharSize);
      EXPECT_EQ(std::memcmp(byAlias.leadByte, byNumber.leadByte, sizeof byAlias.leadByte), 0);
      EXPECT_EQ(std::u16string(byAlias.codePageName), std::u16string(byNumber.codePageName));
    }
  }

  CodePageInfoEx info;
  std::memset(&info, 0xEE, sizeof info);
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(GetCodePageInfoEx(12345, &info));
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidParameter);
  EXPECT_EQ(info.codePage, 0xEEEEEEEEu);
}

}  // namespace
}  // namespace kx::platform
