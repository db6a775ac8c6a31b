// Translation strings in the file's own 8-bit code page (ISO 8859-1, Shift-JIS, code page
// 949): the features and options they name survive with every byte of their text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ppd/ppd_test_support.h"

namespace kx::ppd {
namespace {

using test::OptionKeywords;
using test::OptionNamed;
using test::Text;
using Strings = std::vector<std::string>;

struct OptionText {
  const char* keyword;
  const char* translation;
};

TEST(PpdTranslationBytesTest, NationalTranslationsKeepTheirOptionsAndBytes) {
  const struct {
    const char* label;
    std::string text;
    const char* feature;
    const char* featureTranslation;
    std::vector<OptionText> options;
  } cases[] = {
      {"French, ISO 8859-1",
       "*LanguageVersion: French\n"
       "*OpenUI *Resolution/R\xE9solution: PickOne\n*DefaultResolution: 600dpi\n"
       "*Resolution 300dpi/300 ppp: \"<</HWResolution[300 300]>>setpagedevice\"\n"
       "*Resolution 600dpi/600 ppp \xE9lev\xE9\x65: \"<</HWResolution[600 600]>>setpagedevice\"\n"
       "*CloseUI: *Resolution\n",
       "Resolution",
       "R\xE9solution",
       {{"300dpi", "300 ppp"}, {"600dpi", "600 ppp \xE9lev\xE9\x65"}}},
      {"German degrees, option without a feature translation",
       "*OpenUI *Rotate: PickOne\n"
       "*Rotate Zero/0\xB0: \"\"\n*Rotate Turn/-180\xB0: \"180 rotate\"\n*CloseUI: *Rotate\n",
       "Rotate",
       nullptr,
       {{"Zero", "0\xB0"}, {"Turn", "-180\xB0"}}},
      {"Shift-JIS, trail bytes in the ASCII range",
       "*LanguageVersion: Japanese\n"
       "*OpenUI *Tray/\x8B\x8B\x8E\x86\x83\x67\x83\x8C\x83\x43: PickOne\n"
       "*Tray Upper/\x8F\xE3\x92\x69: \"1 tray\"\n*Tray Lower/\x89\xBA\x92\x69: \"2 tray\"\n"
       "*CloseUI: *Tray\n",
       "Tray",
       "\x8B\x8B\x8E\x86\x83\x67\x83\x8C\x83\x43",
       {{"Upper", "\x8F\xE3\x92\x69"}, {"Lower", "\x89\xBA\x92\x69"}}},
      {"code page 949 in a JCL feature",
       "*JCLOpenUI *JCLEconomode/\xC7\xD1\xB1\xDB \xC0\xFD\xBE\xE0: PickOne\n"
       "*JCLEconomode Off/\xB2\xF4\xC1\xFC: \"@PJL SET ECONOMODE=OFF<0A>\"\n"
       "*JCLEconomode On/\xC4\xD1\xC1\xFC: \"@PJL SET ECONOMODE=ON<0A>\"\n"
       "*JCLEconomode Auto/\xC0\xDA\xB5\xBF: \"@PJL SET ECONOMODE=AUTO<0A>\"\n"
       "*JCLCloseUI: *JCLEconomode\n",
       "JCLEconomode",
       "\xC7\xD1\xB1\xDB \xC0\xFD\xBE\xE0",
       {{"Off", "\xB2\xF4\xC1\xFC"}, {"On", "\xC4\xD1\xC1\xFC"}, {"Auto", "\xC0\xDA\xB5\xBF"}}},
  };
  test::PpdFiles files;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const test::ImagePtr image = files.Open(c.text);
    ASSERT_NE(image, nullptr);
    const PpdFeature* feature = PpdFindFeature(image.get(), c.feature);
    ASSERT_NE(feature, nullptr);
    if (c.featureTranslation != nullptr) {
      EXPECT_EQ(Text(image.get(), feature->translation), c.featureTranslation);
    }
    Strings keywords;
    for (const OptionText& option : c.options) keywords.push_back(option.keyword);
    EXPECT_EQ(OptionKeywords(image.get(), feature), keywords);
    for (const OptionText& option : c.options) {
      SCOPED_TRACE(option.keyword);
      const PpdOption* found = OptionNamed(image.get(), feature, option.keyword);
      ASSERT_NE(found, nullptr);
      EXPECT_EQ(Text(image.get(), found->translation), option.translation);
    }
  }
}

// Keywords and option keywords stay ASCII: a national byte there still refuses the entry
// and only that entry.
TEST(PpdTranslationBytesTest, NationalBytesInKeywordsStillRefuseTheEntry) {
  const struct {
    const char* label;
    const char* line;
  } cases[] = {
      {"in the main keyword", "*Rot\xE9: PickOne\n"},
      {"in the option keyword", "*Rotate Z\xE9ro/0: \"\"\n"},
  };
  test::PpdFiles files;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const test::ImagePtr image =
        files.Open(std::string("*OpenUI *Rotate: PickOne\n") + c.line +
                   "*Rotate Turn/180: \"180 rotate\"\n*CloseUI: *Rotate\n");
    ASSERT_NE(image, nullptr);
    const PpdFeature* feature = PpdFindFeature(image.get(), "Rotate");
    ASSERT_NE(feature, nullptr);
    EXPECT_EQ(OptionKeywords(image.get(), feature), Strings{"Turn"});
  }
}

}  // namespace
}  // namespace kx::ppd
