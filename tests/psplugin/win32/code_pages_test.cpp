// The code pages the plug-in sees under Windows are the system's own, set by the locale the
// run started in: scripts/test-windows names the pair it asked for in
// KX48T7_WINE_CODE_PAGES ("949/949" or "1250/852"), so that a run in another locale fails
// here instead of silently leaving out the cases written for its code pages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/codepage.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::platform {
namespace {

std::string Bytes(uint32_t codePage, const std::u16string& text, bool* usedDefault) {
  const int length = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, usedDefault);
  std::string bytes(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), needed, nullptr,
                      usedDefault);
  return bytes;
}

TEST(SystemCodePagesTest, TheRunsLocaleGivesItsCodePages) {
  const char* expected = std::getenv("KX48T7_WINE_CODE_PAGES");
  if (expected == nullptr) GTEST_SKIP() << "KX48T7_WINE_CODE_PAGES names no code pages";
  EXPECT_EQ(std::to_string(AnsiCodePage()) + "/" + std::to_string(OemCodePage()), expected);
}

TEST(SystemCodePagesTest, ConversionsOfTheSystemsCodePages) {
  CodePageInfoEx info{};
  ASSERT_TRUE(GetCodePageInfoEx(kCpAcp, &info));
  EXPECT_EQ(info.codePage, AnsiCodePage());
  bool usedDefault = true;
  if (AnsiCodePage() == 949) {
    EXPECT_EQ(info.maxCharSize, 2u);
    EXPECT_EQ(info.leadByte[0], 0x81);
    EXPECT_EQ(info.leadByte[1], 0xFE);
    EXPECT_EQ(Bytes(kCpAcp, u"\uC791\uC5C5", &usedDefault), "\xC0\xDB\xBE\xF7");
    EXPECT_FALSE(usedDefault);
  } else if (AnsiCodePage() == 1250) {
    EXPECT_EQ(info.maxCharSize, 1u);
    EXPECT_EQ(Bytes(kCpAcp, u"\u0158\u017E", &usedDefault), "\xD8\x9E");
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(Bytes(kCpAcp, u"\uC791", &usedDefault), "?");
    EXPECT_TRUE(usedDefault);
  } else {
    ADD_FAILURE() << "a run in code page " << AnsiCodePage();
  }
  // A buffer one byte short fails with 122 and writes nothing beyond it.
  char buffer[2] = {'x', 'y'};
  SetLastErrorCode(0xdeadbeef);
  EXPECT_EQ(WideCharToMultiByte(kCpAcp, 0, u"abc", 3, buffer, 1, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastErrorCode(), kErrorInsufficientBuffer);
  EXPECT_EQ(buffer[1], 'y');
  // Invalid UTF-8 with the flag that asks for failure.
  char16_t wide[4];
  SetLastErrorCode(0xdeadbeef);
  EXPECT_EQ(MultiByteToWideChar(kCpUtf8, kMbErrInvalidChars, "\xC3(", 2, wide, 4), 0);
  EXPECT_EQ(GetLastErrorCode(), kErrorNoUnicodeTranslation);
}

}  // namespace
}  // namespace kx::platform
