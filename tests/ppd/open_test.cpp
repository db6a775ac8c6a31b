// PpdOpen on good and bad files, and the two queries.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ppd/ppd_test_support.h"

namespace kx::ppd {
namespace {

using test::OptionKeywords;
using test::Text;

class PpdOpenTest : public ::testing::Test {
 protected:
  test::PpdFiles files_;
};

TEST_F(PpdOpenTest, FailsWithoutAReadableNonEmptyFileOrOnAnOverlongToken) {
  const std::u16string missing = files_.PathOf("missing.ppd");
  EXPECT_EQ(PpdOpen(missing.c_str()), nullptr);
  EXPECT_EQ(PpdOpen(nullptr), nullptr);
  EXPECT_EQ(PpdOpen(u""), nullptr);
  const std::u16string folder = files_.PathOf("");
  EXPECT_EQ(PpdOpen(folder.c_str()), nullptr);

  const struct {
    const char* label;
    std::string text;
  } cases[] = {
      {"empty file", ""},
      {"keyword of 41", "*ColorDevice: True\n*" + std::string(41, 'K') + ": v\n*End\n"},
      {"option keyword of 41", "*PageSize " + std::string(41, 'o') + ": \"x\"\n"},
      {"translation of 129", "*PageSize A4/" + std::string(129, 't') + ": \"x\"\n"},
      {"overlong keyword in an ignored line's place", "*%comment\n*" + std::string(60, 'Z') + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(files_.Open(c.text), nullptr);
  }
}

TEST_F(PpdOpenTest, SurvivesHostileInputAndChecksumsTheWholeFile) {
  std::mt19937 random(20240611);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  std::string starry;  // random bytes, but with many entry starts and separators
  const char alphabet[] = "*:/\" \t\n\r<>%?^ABCabc019-.";
  for (int i = 0; i < 64 * 1024; ++i) starry += alphabet[random() % (sizeof alphabet - 1)];
  const struct {
    const char* label;
    std::string text;
  } cases[] = {
      {"binary garbage", garbage},
      {"separator soup", starry},
      {"no entries", "just text\nand more\n"},
      {"NUL bytes", std::string("*Nick\0Name: \"a\0b\"\n*ColorDevice: True\n", 38)},
      {"lone star lines", "*\n*\r\n**\n*:\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    // A quote left open by the random bytes would fail the load (see below): the last
    // line closes it, and is skipped as text when none is open.
    const std::string text = c.text + "\n\"\n";
    test::ImagePtr image = files_.Open(text);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->checksum, test::BitwiseCrc16(text));
    EXPECT_EQ(image->format, kImageFormat);
  }
}

// The entries after a quote that never closes are lost, so the load fails rather than
// report an image without them; a quote closed on a later line is an ordinary value.
TEST_F(PpdOpenTest, AQuoteThatNeverClosesFailsTheLoad) {
  const struct {
    const char* label;
    std::string text;
    bool opens;
  } cases[] = {
      {"open quote swallowing later entries",
       "*ColorDevice: True\n*NickName: \"never closed\n*End\n", false},
      {"open quote as the last byte", "*ColorDevice: True\n*NickName: \"", false},
      {"quote closed lines later", "*NickName: \"two\nlines\"\n*ColorDevice: True\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const test::ImagePtr image = files_.Open(c.text);
    ASSERT_EQ(image != nullptr, c.opens);
    if (image != nullptr) {
      EXPECT_EQ(Text(image.get(), image->nickName), "two\nlines");
      EXPECT_EQ(image->colorDevice, 1u);
    }
  }
}

TEST_F(PpdOpenTest, KeepsATenMegabyteValue) {
  const std::string big(10 * 1024 * 1024, 'v');
  test::ImagePtr image = files_.Open("*Password: \"" + big + "\"\n*ColorDevice: True\n");
  ASSERT_NE(image, nullptr);
  const auto password = Text(image.get(), image->password);
  ASSERT_TRUE(password.has_value());
  EXPECT_EQ(password->size(), big.size());
  EXPECT_EQ(image->colorDevice, 1u);
}

TEST_F(PpdOpenTest, HandlersFedMissingOrBadWordsStoreNothing) {
  const struct {
    const char* label;
    const char* line;
  } cases[] = {
      {"HWMargins short", "*HWMargins: 1 2 3\n"},
      {"HWMargins not numbers", "*HWMargins: a b c d\n"},
      {"ImageableArea short", "*ImageableArea P: \"1 2 3\"\n"},
      {"PaperDimension short", "*PaperDimension P: \"612\"\n"},
      {"PaperDimension empty", "*PaperDimension P: \"\"\n"},
      {"ParamCustomPageSize short", "*ParamCustomPageSize Width: 1 points 0\n"},
      {"ParamCustomPageSize order 0", "*ParamCustomPageSize Width: 0 points 0 1\n"},
      {"OrderDependency empty", "*OrderDependency: \"\"\n"},
      {"OrderDependency order only", "*OrderDependency: 10\n"},
      {"OrderDependency no keyword", "*OrderDependency: 10 AnySetup\n"},
      {"OrderDependency bare star", "*OrderDependency: 10 AnySetup *\n"},
      {"OrderDependency bad order", "*OrderDependency: x AnySetup *P\n"},
      {"UIConstraints one keyword", "*UIConstraints: *P\n"},
      {"UIConstraints keyword and option", "*UIConstraints: *P A4\n"},
      {"UIConstraints bare stars", "*UIConstraints: * *\n"},
      {"UIConstraints empty second keyword", "*UIConstraints: *P A4 *\n"},
      {"OpenUI without a name", "*OpenUI *: PickOne\n"},
      {"CloseUI of a star", "*CloseUI: *\n"},
      {"Protocols empty", "*Protocols:\n"},
      {"LanguageLevel not a number", "*LanguageLevel: \"\"\n"},
      {"VMOption not a number", "*VMOption 8MB: \"\"\n"},
      {"ResScreenAngle not a number", "*ResScreenAngle 600dpi: \"x\"\n"},
      {"RequiresPageRegion All empty", "*RequiresPageRegion All: \"\"\n"},
      {"Font without a name", "*Font: Standard\n"},
      {"Font without words", "*Font Courier: \"\"\n"},
      {"default without a value", "*DefaultPageSize:\n"},
      {"option without an option keyword", "*PageSize: \"x\"\n"},
      {"NickName bad hex", "*NickName: \"<4>\"\n"},
      {"option with bad hex translation", "*PageSize A4/<zz>: \"x\"\n"},
      {"OpenUI with bad hex translation", "*OpenUI *Foo/<g>: PickOne\n"},
      {"Font with bad hex translation", "*Font Courier/<1 2>: Standard \"(1)\" Standard\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    test::ImagePtr image = files_.Open(std::string(c.line) + "*End\n");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(FirstFeature(image.get()), nullptr);
    EXPECT_EQ(FirstFont(image.get()), nullptr);
    EXPECT_EQ(OrderDependencies(image.get())->rowCount, 0);
    EXPECT_EQ(Constraints(image.get())->rowCount, 0);
    EXPECT_EQ(image->hwMarginsGiven, 0u);
    EXPECT_EQ(image->customParams[0].order, 0u);
    EXPECT_EQ(image->protocols, 0);
    EXPECT_EQ(image->languageLevel, 1u);
    EXPECT_EQ(image->nickName, 0u);
  }
}

constexpr char kQueryPpd[] =
    "*OpenUI *OptionalBin1/Bin 1: Boolean\n*OptionalBin1 True: \"\"\n*OptionalBin1 False: \"\"\n"
    "*CloseUI: *OptionalBin1\n"
    "*OpenUI *OptionalBin/Bin: Boolean\n*OptionalBin None: \"\"\n*CloseUI: *OptionalBin\n"
    "*OpenUI *Empty: PickOne\n*CloseUI: *Empty\n*OpenUI *EmptyNot: PickOne\n*EmptyNot x: \"\"\n"
    "*CloseUI: *EmptyNot\n"
    "*OpenGroup: InstallableOptions\n*OpenUI *OptionalDisk: Boolean\n*DefaultOptionalDisk: True\n"
    "*OptionalDisk False: \"\"\n*OptionalDisk True: \"\"\n*CloseUI: *OptionalDisk\n"
    "*CloseGroup: InstallableOptions\n"
    "*OpenUI *Smoothing: Boolean\n*Smoothing On: \"\"\n*CloseUI: *Smoothing\n";

TEST_F(PpdOpenTest, FindFeatureIsExactAndFindOptionsTakesTheFirstPrefixMatch) {
  test::ImagePtr owner = files_.Open(kQueryPpd);
  const PpdImage* image = owner.get();
  ASSERT_NE(image, nullptr);

  const PpdFeature* bin = PpdFindFeature(image, "OptionalBin");
  ASSERT_NE(bin, nullptr);
  EXPECT_EQ(Text(image, bin->translation), "Bin");
  EXPECT_EQ(PpdFindOptions(image, "OptionalBin"),
            FirstOption(image, PpdFindFeature(image, "OptionalBin1")));
  EXPECT_EQ(PpdFindOptions(image, "OptionalBin1"), PpdFindOptions(image, "OptionalBin"));

  // The first feature whose keyword has the prefix decides, even without options.
  EXPECT_NE(PpdFindFeature(image, "Empty"), nullptr);
  EXPECT_EQ(PpdFindOptions(image, "Empty"), nullptr);
  ASSERT_NE(PpdFindOptions(image, "EmptyN"), nullptr);

  // Installable features sort last and are still found.
  const PpdFeature* disk = PpdFindFeature(image, "OptionalDisk");
  ASSERT_NE(disk, nullptr);
  EXPECT_EQ(test::FeatureKeywords(image).back(), "OptionalDisk");
  const PpdOption* option = PpdFindOptions(image, "OptionalDisk");
  for (uint32_t i = 0; i < disk->defaultIndex && option != nullptr; ++i)
    option = NextOption(image, option);
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(Text(image, option->keyword), "True");

  EXPECT_EQ(PpdFindFeature(image, "Optional"), nullptr);
  EXPECT_EQ(PpdFindFeature(image, "smoothing"), nullptr);
  EXPECT_EQ(PpdFindOptions(image, "smooth"), nullptr);
  EXPECT_EQ(PpdFindOptions(image, "OptionalBin12"), nullptr);
  EXPECT_EQ(PpdFindOptions(image, ""), FirstOption(image, FirstFeature(image)));
}

}  // namespace
}  // namespace kx::ppd
