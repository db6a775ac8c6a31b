#include <gtest/gtest.h>

#include <string>

#include "dialog_routines.h"
#include "module_state.h"
#include "support/code_pages.h"

namespace kx::ui {
namespace {

TEST(MessageConversion, Cp949TextBecomesUtf16) {
  const test::SystemCodePages codePages(nullptr, nullptr);
  if (!codePages.active()) GTEST_SKIP() << "the system's ANSI code page is not 949";
  // "정보 확인" in code page 949.
  EXPECT_EQ(std::u16string(ConvertMessage("\xC1\xA4\xBA\xB8 \xC8\xAE\xC0\xCE")), u"정보 확인");
  EXPECT_EQ(ToUtf16("\xC1\xA4\xBA\xB8"), u"정보");
  EXPECT_EQ(std::u16string(ConvertMessage("")), u"");
  EXPECT_EQ(ToUtf16(nullptr), u"");
}

TEST(MessageConversion, NeverWritesPastTheBuffer) {
  const test::SystemCodePages codePages(nullptr, nullptr);
  if (!codePages.active()) GTEST_SKIP() << "the system's ANSI code page is not 949";
  struct Case {
    const char* name;
    std::string text;
    std::u16string expected;
  };
  std::string hangul;
  std::u16string hangulWide;
  for (int i = 0; i < 300; ++i) {
    hangul += "\xC1\xA4";
    hangulWide += u"정";
  }
  const Case cases[] = {
      {"fits with its terminator", std::string(519, 'a'), std::u16string(519, u'a')},
      {"one too many", std::string(520, 'b'), std::u16string(519, u'b')},
      {"far too long", std::string(5000, 'c'), std::u16string(519, u'c')},
      {"double-byte text", hangul, hangulWide},
      {"double-byte text too long", hangul + hangul, (hangulWide + hangulWide).substr(0, 519)},
  };
  auto& buffer = Module().messageText;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    buffer.fill(u'#');
    const char16_t* converted = ConvertMessage(c.text.c_str());
    EXPECT_EQ(converted, buffer.data());
    EXPECT_EQ(std::u16string(converted), c.expected);
  }
}

}  // namespace
}  // namespace kx::ui
