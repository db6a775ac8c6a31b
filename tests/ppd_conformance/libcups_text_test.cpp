#include "ppd_conformance/libcups_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kx::ppd::conformance {
namespace {

TEST(LibcupsTextTest, TranslationsAreReadInTheCodePageTheLanguageEncodingNames) {
  const struct {
    const char* label;
    std::string translation;
    const char* encoding;
    std::string expected;
  } cases[] = {
      {"no LanguageEncoding reads ISO 8859-1", "R\xE9solution", "", "R\xC3\xA9solution"},
      {"ISOLatin1", "-180\xB0", "ISOLatin1", "-180\xC2\xB0"},
      {"WindowsANSI has the euro", "5 \x80", "WindowsANSI", "5 \xE2\x82\xAC"},
      {"JIS83-RKSJ is Shift-JIS", "\x83\x65\x83\x58\x83\x67", "JIS83-RKSJ",
       "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88"},
      {"a name libcups does not know keeps the bytes", "\xC7\xD1\xB1\xDB", "KSC5601",
       "\xC7\xD1\xB1\xDB"},
      {"Latin 1 stops once 79 bytes are written", std::string(78, 'a') + "\xE9\xE9",
       "ISOLatin1", std::string(78, 'a') + "\xC3\xA9"},
      {"iconv stops before a character that does not fit", std::string(79, 'a') + "\x83\x65",
       "JIS83-RKSJ", std::string(79, 'a')},
      {"bytes as they are stop at 80", std::string(100, 'b'), "UTF-8", std::string(80, 'b')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(AsLibcupsText(c.translation, c.encoding), c.expected);
  }
}

}  // namespace
}  // namespace kx::ppd::conformance
