// What the keyword handlers leave in the image, seen through the public accessors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ppd/lexical.h"
#include "ppd/ppd_test_support.h"

namespace kx::ppd {
namespace {

using test::OptionKeywords;
using test::OptionNamed;
using test::Text;
using Strings = std::vector<std::string>;

class PpdFeaturesTest : public ::testing::Test {
 protected:
  const PpdImage* Open(std::string_view text) {
    image_ = files_.Open(text);
    EXPECT_NE(image_, nullptr);
    return image_.get();
  }
  const PpdImage* image() const { return image_.get(); }
  const PpdFeature* Find(std::string_view keyword) const {
    return PpdFindFeature(image(), keyword);
  }

  test::PpdFiles files_;
  test::ImagePtr image_;
};

TEST_F(PpdFeaturesTest, HeaderFieldsTakeTheirWords) {
  const struct {
    const char* label;
    const char* text;
    uint32_t PpdImage::*field;
    uint32_t expected;
  } words[] = {
      {"ColorDevice", "*ColorDevice: True\n", &PpdImage::colorDevice, 1},
      {"other word stores 0", "*ColorDevice: Yes\n", &PpdImage::colorDevice, 0},
      {"CMYK makes a colour device", "*Extensions: DPS CMYK\n", &PpdImage::colorDevice, 1},
      {"SingleUserMode", "*SingleUserMode: True\n", &PpdImage::singleUserMode, 1},
      {"ProofThenPrint", "*ProofThenPrint: True\n", &PpdImage::proofThenPrint, 1},
      {"PrintPSError", "*PrintPSError: True extra\n", &PpdImage::printPsError, 1},
      {"LanguageLevel", "*LanguageLevel: \"3\"\n", &PpdImage::languageLevel, 3},
      {"LanguageLevel default", "*LanguageLevel: \"x\"\n", &PpdImage::languageLevel, 1},
      {"SuggestedJobTimeout", "*SuggestedJobTimeout: \"300\"\n", &PpdImage::suggestedJobTimeout,
       300},
      {"SuggestedWaitTimeout default", "*End\n", &PpdImage::suggestedWaitTimeout, 240},
      {"FreeVM raised", "*FreeVM: \"50000\"\n", &PpdImage::freeVm, 102400},
      {"FreeVM kept", "*FreeVM: \"8388608\"\n", &PpdImage::freeVm, 8388608},
      {"HWMargins given", "*HWMargins: 12 12.5 0 18\n", &PpdImage::hwMarginsGiven, 1},
  };
  for (const auto& c : words) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Open(c.text)->*c.field, c.expected);
  }
  const struct {
    const char* label;
    const char* text;
    uint16_t PpdImage::*field;
    uint16_t expected;
  } sets[] = {
      {"Protocols", "*Protocols: BCP SIC Foo\n", &PpdImage::protocols, 2 | 8},
      {"Extensions", "*Extensions: Composite FileSystem\n", &PpdImage::extensions, 4 | 8},
      {"TTRasterizer", "*TTRasterizer: TrueImage\n", &PpdImage::ttRasterizer, 3},
      {"TTRasterizer first wins", "*TTRasterizer: Type42\n*TTRasterizer: None\n",
       &PpdImage::ttRasterizer, 2},
      {"TTRasterizer unknown", "*TTRasterizer: Bitmap\n", &PpdImage::ttRasterizer, 0},
      {"LandscapeOrientation unknown", "*LandscapeOrientation: Sideways\n",
       &PpdImage::landscapeOrientation, 0},
      {"LandscapeOrientation", "*LandscapeOrientation: Minus90\n", &PpdImage::landscapeOrientation,
       2},
      {"LanguageEncoding", "*LanguageEncoding: WindowsANSI\n", &PpdImage::languageEncoding, 4},
      {"LanguageVersion implies", "*LanguageVersion: Japanese\n", &PpdImage::languageEncoding, 2},
      {"LanguageVersion after an encoding",
       "*LanguageEncoding: MaxStandard\n*LanguageVersion: English\n", &PpdImage::languageEncoding,
       3},
      {"LanguageEncoding after a version",
       "*LanguageVersion: German\n*LanguageEncoding: JIS83-RKSJ\n", &PpdImage::languageEncoding, 2},
  };
  for (const auto& c : sets) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Open(c.text)->*c.field, c.expected);
  }
}

TEST_F(PpdFeaturesTest, NumbersAndStringsOfTheHeader) {
  Open(
      "*ScreenFreq: \"106.5\"\n*MaxMediaWidth: \"612\"\n*HWMargins: 12 12.5 0 18\n"
      "*NickName: \"Name <28>PS<29>\"\n*JCLBegin: \"<1B>%-12345X@PJL<0A>\"\n"
      "*JCLEnd: \"<1b>E\"\n*JCLToPSInterpreter: \"@PJL ENTER LANGUAGE=POSTSCRIPT\"\n"
      "*Password: \"<30>\"\n*ExitServer: \"true 0 startjob\"\n");
  EXPECT_EQ(image()->screenFreq, 106 * 256 + 128);
  EXPECT_EQ(image()->screenAngle, 45 * 256);  // default
  EXPECT_EQ(image()->maxMediaWidth, 612 * 256);
  EXPECT_EQ(image()->hwMargins[0], 12 * 256);
  EXPECT_EQ(image()->hwMargins[1], 12 * 256 + 128);
  EXPECT_EQ(image()->hwMargins[3], 18 * 256);
  EXPECT_EQ(Text(image(), image()->nickName), "Name (PS)");
  EXPECT_EQ(Text(image(), image()->jclBegin), "\x1B%-12345X@PJL\n");
  EXPECT_EQ(Text(image(), image()->jclEnd),
            "\x1B"
            "E");
  EXPECT_EQ(Text(image(), image()->jclToPsInterpreter), "@PJL ENTER LANGUAGE=POSTSCRIPT");
  EXPECT_EQ(Text(image(), image()->password), "<30>");  // not decoded
  EXPECT_EQ(Text(image(), image()->exitServer), "true 0 startjob");
}

TEST_F(PpdFeaturesTest, OpenUiOnPredefinedFeaturesSetsTypeAndTranslationOnly) {
  Open(
      "*OpenUI *PageSize/Paper Size: PickMany\n*PageSize A4/A4 Paper: \"a4\"\n"
      "*CloseUI: *PageSize\n"
      "*OpenUI *PageRegion/Region: PickOne\n*PageRegion A4: \"r4\"\n*CloseUI: *PageRegion\n"
      "*OpenUI *InstalledMemory/Memory: Boolean\n*InstalledMemory 8MB/8 MB: \"m8\"\n"
      "*CloseUI: *InstalledMemory\n*VMOption 8MB: \"4000000\"\n");
  const PpdFeature* pageSize = PredefinedFeature(image(), kPageSize);
  ASSERT_NE(pageSize, nullptr);
  EXPECT_EQ(Text(image(), pageSize->translation), "Paper Size");  // the first translation wins
  EXPECT_EQ(pageSize->uiType, kUiPickOne);                        // the last type
  EXPECT_EQ(OptionKeywords(image(), pageSize), Strings{"A4"});
  const auto* a4 =
      OptionRecord<PpdPageSizeOption>(image(), pageSize, OptionNamed(image(), pageSize, "A4"));
  ASSERT_NE(a4, nullptr);
  EXPECT_EQ(Text(image(), a4->invocation), "a4");
  EXPECT_EQ(Text(image(), a4->pageRegion), "r4");
  EXPECT_EQ(Text(image(), a4->translation), "A4 Paper");

  const PpdFeature* memory = PredefinedFeature(image(), kVmOption);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(Text(image(), memory->keyword), "VMOption");
  EXPECT_EQ(Text(image(), memory->translation), "Memory");
  EXPECT_EQ(memory->uiType, kUiBoolean);
  const auto* eight = OptionRecord<PpdVmOption>(image(), memory, FirstOption(image(), memory));
  ASSERT_NE(eight, nullptr);
  EXPECT_EQ(Text(image(), eight->invocation), "m8");
  EXPECT_EQ(eight->freeVm, 4000000u);
  EXPECT_EQ(Find("InstalledMemory"), nullptr);
  EXPECT_EQ(Find("PageRegion"), nullptr);
}

TEST_F(PpdFeaturesTest, OpenUiOnDuplexIsIgnoredAndItsRowsStillFillTheFeature) {
  Open(
      "*OpenUI *Duplex/Two-Sided: Boolean\n*DefaultDuplex: DuplexNoTumble\n"
      "*Duplex None/Off: \"n\"\n*Duplex DuplexNoTumble/Long Edge: \"l\"\n*CloseUI: *Duplex\n");
  const PpdFeature* duplex = PredefinedFeature(image(), kDuplex);
  ASSERT_NE(duplex, nullptr);
  EXPECT_EQ(duplex->uiType, kUiPickOne);
  EXPECT_EQ(duplex->translation, 0u);
  EXPECT_EQ(duplex->defaultIndex, 1u);
  EXPECT_EQ(OptionKeywords(image(), duplex), (Strings{"None", "DuplexNoTumble"}));
  EXPECT_EQ(duplex->optionSize, sizeof(PpdOption));
}

TEST_F(PpdFeaturesTest, OptionsOfAnOpenFeatureAndTheirDefault) {
  Open(
      "*OpenUI *MiserMode/Toner Saver: Boolean\n*DefaultMiserMode: True\n"
      "*MiserMode False: \"f <41>\"\n*MiserMode True/On: \"t\"\n"
      "*MiserMode True/Again: \"second\"\n*MiserMode False/Off: \"\"\n"
      "*CloseUI: *MiserMode\n*MiserMode Later: \"outside\"\n");
  const PpdFeature* miser = Find("MiserMode");
  ASSERT_NE(miser, nullptr);
  EXPECT_EQ(miser->uiType, kUiBoolean);
  EXPECT_EQ(miser->number, kOtherFeature);
  EXPECT_EQ(miser->flags, 0);
  EXPECT_EQ(Text(image(), miser->translation), "Toner Saver");
  EXPECT_EQ(miser->defaultIndex, 1u);
  EXPECT_EQ(OptionKeywords(image(), miser), (Strings{"False", "True"}));
  const PpdOption* off = OptionNamed(image(), miser, "False");
  const PpdOption* on = OptionNamed(image(), miser, "True");
  EXPECT_EQ(Text(image(), off->invocation), "f <41>");  // plain
  EXPECT_EQ(Text(image(), off->translation), "Off");    // taken from the later entry
  EXPECT_EQ(Text(image(), on->translation), "On");      // the first translation wins
  EXPECT_EQ(Text(image(), on->invocation), "t");        // the first invocation wins
}

TEST_F(PpdFeaturesTest, JclOpenUiFeaturesHaveHexDecodedInvocations) {
  Open(
      "*JCLOpenUI *JCLEconomode/Economode: PickOne\n*DefaultJCLEconomode: Off\n"
      "*JCLEconomode Off/Off: \"@PJL SET ECONOMODE=OFF<0D0A>\"\n"
      "*JCLEconomode Bad: \"<0>\"\n*JCLCloseUI: *JCLEconomode\n");
  const PpdFeature* eco = Find("JCLEconomode");
  ASSERT_NE(eco, nullptr);
  EXPECT_EQ(eco->flags, kJclFeature);
  EXPECT_EQ(Text(image(), FirstOption(image(), eco)->invocation), "@PJL SET ECONOMODE=OFF\r\n");
  // Bad hex drops the invocation; the option itself was already made.
  EXPECT_EQ(OptionNamed(image(), eco, "Bad")->invocation, 0u);
}

TEST_F(PpdFeaturesTest, CloseUiEndsOnlyTheOpenFeature) {
  Open(
      "*OpenUI *Smoothing: Boolean\n*CloseUI: *Other\n*Smoothing On: \"on\"\n"
      "*CloseUI: *Smoothing  \n*Smoothing Off: \"off\"\n");
  EXPECT_EQ(OptionKeywords(image(), Find("Smoothing")), Strings{"On"});
}

TEST_F(PpdFeaturesTest, InstallableFeaturesSortAfterOrdinaryOnes) {
  Open(
      "*OpenUI *A: PickOne\n*A x: \"\"\n*CloseUI: *A\n"
      "*OpenGroup: InstallableOptions/Installed\n"
      "*OpenUI *D: Boolean\n*D True: \"\"\n*CloseUI: *D\n"
      "*OpenGroup: InstallableOptions\n"  // refused: the group is already open
      "*OpenUI *E: Boolean\n*CloseUI: *E\n"
      "*CloseGroup: InstallableOptions\n"
      "*CloseGroup: InstallableOptions\n"  // refused: already closed
      "*OpenUI *B: PickOne\n*CloseUI: *B\n"
      "*OpenUI *D: PickOne\n*CloseUI: *D\n"  // D was made installable; it stays so
      "*VMOption 8MB: \"1\"\n"
      "*OpenUI *C: PickOne\n*CloseUI: *C\n");
  EXPECT_EQ(test::FeatureKeywords(image()), (Strings{"A", "B", "C", "D", "E", "VMOption"}));
  EXPECT_EQ(image()->ordinaryFeatureCount, 3);
  EXPECT_EQ(image()->installableFeatureCount, 3);
  const struct {
    const char* keyword;
    uint16_t index;
    uint32_t installable;
  } expected[] = {{"A", 0, 0}, {"B", 1, 0}, {"C", 2, 0},
                  {"D", 0, 1}, {"E", 1, 1}, {"VMOption", 2, 1}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.keyword);
    const PpdFeature* feature = Find(e.keyword);
    ASSERT_NE(feature, nullptr);
    EXPECT_EQ(feature->index, e.index);
    EXPECT_EQ(feature->installable, e.installable);
  }
  EXPECT_EQ(Find("D")->uiType, kUiPickOne);
}

TEST_F(PpdFeaturesTest, DefaultsResolveToOptionIndexes) {
  Open(
      "*DefaultInputSlot: Missing\n*InputSlot Upper: \"u\"\n*InputSlot Lower: \"l\"\n"
      "*DefaultResolution: 1200dpi\n*Resolution 600dpi: \"6\"\n*Resolution 1200dpi: \"12\"\n"
      "*DefaultJCLResolution: 600dpi\n"
      "*DefaultInstalledMemory: 16MB\n*VMOption 8MB: \"1\"\n*VMOption 16MB: \"2\"\n"
      "*DefaultCollate: True\n");
  EXPECT_EQ(PredefinedFeature(image(), kInputSlot)->defaultIndex, 0u);   // names no option
  EXPECT_EQ(PredefinedFeature(image(), kResolution)->defaultIndex, 1u);  // the first default wins
  EXPECT_EQ(PredefinedFeature(image(), kVmOption)->defaultIndex, 1u);
  const PpdFeature* collate = PredefinedFeature(image(), kCollate);
  ASSERT_NE(collate, nullptr);  // made by its default alone
  EXPECT_EQ(collate->uiType, kUiBoolean);
  EXPECT_EQ(collate->options, 0u);
}

TEST_F(PpdFeaturesTest, RequiresPageRegionAllOverridesEveryTray) {
  const struct {
    const char* label;
    const char* extra;
    uint32_t upper;
    uint32_t lower;
    uint16_t flags;
  } cases[] = {
      {"trays' own values", "*RequiresPageRegion Lower: False\n", 1, 0, 0},
      {"All True", "*RequiresPageRegion Lower: False\n*RequiresPageRegion All: True\n", 1, 1, 1},
      {"All False", "*RequiresPageRegion All: False\n", 0, 0, 2},
      {"All with another word", "*RequiresPageRegion All: Maybe\n", 1, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Open(std::string("*InputSlot Upper: \"u\"\n*InputSlot Lower: \"l\"\n") + c.extra);
    const PpdFeature* slot = PredefinedFeature(image(), kInputSlot);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->flags, c.flags);
    const auto* upper =
        OptionRecord<PpdInputSlotOption>(image(), slot, OptionNamed(image(), slot, "Upper"));
    const auto* lower =
        OptionRecord<PpdInputSlotOption>(image(), slot, OptionNamed(image(), slot, "Lower"));
    ASSERT_NE(upper, nullptr);
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(upper->requiresPageRegion, c.upper);
    EXPECT_EQ(lower->requiresPageRegion, c.lower);
  }
}

TEST_F(PpdFeaturesTest, ResolutionOptionsCollectTheirInvocations) {
  Open(
      "*Resolution 600dpi/Standard: \"r6\"\n*SetResolution 600dpi: \"s6\"\n"
      "*JCLResolution 600dpi: \"@PJL SET RESOLUTION=600<0A>\"\n*ResScreenAngle 600dpi: \"15.0\"\n"
      "*ResScreenFreq 600dpi: \"85.5\"\n*JCLResolution 1200dpi: X<41>\n");
  const PpdFeature* resolution = PredefinedFeature(image(), kResolution);
  ASSERT_NE(resolution, nullptr);
  EXPECT_EQ(image()->lastResolutionKind, 1);
  const auto* r600 =
      OptionRecord<PpdResolutionOption>(image(), resolution, FirstOption(image(), resolution));
  ASSERT_NE(r600, nullptr);
  EXPECT_EQ(Text(image(), r600->invocation), "r6");
  EXPECT_EQ(Text(image(), r600->setResolution), "s6");
  EXPECT_EQ(Text(image(), r600->jclResolution), "@PJL SET RESOLUTION=600\n");
  EXPECT_EQ(r600->resScreenAngle, 15 * 256);
  EXPECT_EQ(r600->resScreenFreq, 85 * 256 + 128);
  const auto* r1200 = OptionRecord<PpdResolutionOption>(
      image(), resolution, OptionNamed(image(), resolution, "1200dpi"));
  ASSERT_NE(r1200, nullptr);
  EXPECT_EQ(Text(image(), r1200->jclResolution), "XA");
  // A typed view that does not fit the feature is refused.
  EXPECT_EQ(OptionRecord<PpdPageSizeOption>(image(), resolution, FirstOption(image(), resolution)),
            nullptr);
}

TEST_F(PpdFeaturesTest, FontsOfTheTableAreListedOnce) {
  Open(
      "*Font Courier/Courier Font: Standard \"(002.004S)\" Standard ROM\n"
      "*Font Courier: Special \"(9)\" Special ROM\n"
      "*Font NotAFont: Standard \"(1)\" Standard ROM\n"
      "*Font Ryumin-Light-83pv-RKSJ-H: RKSJ \"(003.000)\" 83pv ROM\n"
      "*Font Tekton: Odd \"(1)\" Standard\n"
      "*Font Carta: Standard Standard\n"
      "*Font Arial: Expert \"(1)\" Mystery\n"
      "*Font Symbol: \t Special  \"(001.007S)\"  \tSpecial ROM\n"
      "*Font Times-Roman: Standard \"(1) Standard\n"
      "*Font Courier-Bold: StandardX \"(1)\" Standard\n"
      "*Font Courier-Oblique: ExpertSubset \"(1)\" ExpertSubset\n"
      "*Font Helvetica: ISOLatin1 \"(1)\" ISOLatin1x\n");
  const struct {
    const char* name;
    uint16_t number;
    uint16_t encoding;
    uint16_t characterSet;
  } expected[] = {
      {"Courier", 17, 0, 0}, {"Ryumin-Light-83pv-RKSJ-H", 82, 6, 8},
      {"Tekton", 258, 9, 0},  // unknown encoding: the character set is not read
      {"Carta", 257, 0, 0},   // no version string to skip
      {"Arial", 1, 3, 12},
      {"Symbol", 61, 1, 2},           // blanks before and between the words
      {"Times-Roman", 65, 0, 0},      // the version string never closes
      {"Courier-Bold", 18, 9, 0},     // a known word followed by more is not that word
      {"Courier-Oblique", 20, 4, 5},  // a longer word beginning like a shorter one
      {"Helvetica", 25, 2, 12},
  };
  const PpdFont* font = FirstFont(image());
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(Text(image(), font->name), e.name);
    EXPECT_EQ(font->number, e.number);
    EXPECT_EQ(font->encoding, e.encoding);
    EXPECT_EQ(font->characterSet, e.characterSet);
    EXPECT_EQ(font->hash, NameHash(e.name));
    font = NextFont(image(), font);
  }
  EXPECT_EQ(font, nullptr);
  EXPECT_EQ(Text(image(), FirstFont(image())->translation), "Courier Font");
}

TEST_F(PpdFeaturesTest, ParamCustomPageSizeFillsItsRecords) {
  Open(
      "*ParamCustomPageSize Width: 1 points 216 612.5\n"
      "*ParamCustomPageSize Orientation: 5 int 0 3\n"
      "*ParamCustomPageSize Height: 2 inches 1 2\n"        // unknown type: ignored
      "*ParamCustomPageSize HeightOffset: 6 points 0 0\n"  // order out of range
      "*ParamCustomPageSize WidthOffset: 3 real x 0\n"     // not a number
      "*ParamCustomPageSize Depth: 1 points 0 1\n");
  const ParamCustomPageSize& width = image()->customParams[0];
  EXPECT_EQ(width.order, 1u);
  EXPECT_EQ(width.valueType, 2);
  EXPECT_EQ(width.minimum, 216 * 256);
  EXPECT_EQ(width.maximum, 612 * 256 + 128);
  EXPECT_EQ(image()->customParams[4].order, 5u);
  EXPECT_EQ(image()->customParams[4].maximum, 3 * 256);
  for (int untouched : {1, 2, 3}) {
    SCOPED_TRACE(untouched);
    EXPECT_EQ(image()->customParams[untouched].order, 0u);
  }
}

}  // namespace
}  // namespace kx::ppd
