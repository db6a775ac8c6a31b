#include <gtest/gtest.h>

#include "host/oemps.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"
#include "support/test_ppd.h"

namespace kx::ps {
namespace {

using namespace host;
using settings::StoreText;

std::string ColourPpd() {
  return "*ColorDevice: True\n" +
         test::PickOneFeature("MiserMode", "False", {"False/Off", "True/On"}) +
         test::PickOneFeature("Smoothing", "True", {"False", "True"}) +
         test::PickOneFeature("ImageHalftone", "General", {"Low", "General", "High"}) +
         test::PickOneFeature("GraphicsHalftone", "High", {"Low", "High"}) +
         test::PickOneFeature("ImageIntent", "sRGB", {"None", "Contrast", "Vivid", "sRGB"}) +
         test::PickOneFeature("GraphicsIntent", "Vivid", {"Contrast", "Vivid", "SatsRGB"}) +
         test::PickOneFeature("ImageProcessGray", "True", {"False", "True"}) +
         test::PickOneFeature("GraphicsProcessGray", "False", {"False", "True"}) +
         // A prefix of an earlier feature's keyword must not shadow "Smoothing".
         "*OpenUI *SmoothingLevel: PickOne\n*SmoothingLevel Max: \"max\"\n*CloseUI: *SmoothingLevel\n";
}

std::string Line(const std::string& feature, const std::string& option) {
  return "(" + feature + "=" + option + ") pop\r\n";
}

class QualityColourTest : public test::LoadedPluginTest {
 protected:
  void SetUp() override {
    LoadedPluginTest::SetUp();
    printer_.SetPpd(test::WriteTestPpd(printer_.directory(), "colour.ppd", ColourPpd()));
    Device();
    // The defaults the PPD gives; the tests set what they look at.
    record().miserMode = 1;
    record().smoothing = 0;
    record().imageHalftone = 1;
    record().graphicsHalftone = 2;
    record().useColorIntents = 1;
    record().imageIntent = 3;
    record().graphicsIntent = 2;
    record().imageProcessGray = 1;
    record().graphicsProcessGray = 0;
  }
  std::string EndSetup() { return At(PSINJECT_ENDSETUP); }
  const std::string quality_ = Line("MiserMode", "True") + Line("Smoothing", "False");
  const std::string halftones_ = Line("ImageHalftone", "General") + Line("GraphicsHalftone", "High");
  const std::string gray_ = Line("ImageProcessGray", "True") + Line("GraphicsProcessGray", "False");
};

TEST_F(QualityColourTest, ColourJobWithIntents) {
  EXPECT_EQ(EndSetup(), quality_ + halftones_ + Line("ImageIntent", "sRGB") +
                            Line("GraphicsIntent", "Vivid") + gray_);
}

TEST_F(QualityColourTest, GrayscaleJobWritesOnlyQualityAndHalftones) {
  record().colorMode = 1;
  record().jobTimeout = 30;
  EXPECT_EQ(EndSetup(), quality_ + "statusdict begin 30 setjobtimeout end\n" + halftones_);
}

TEST_F(QualityColourTest, NumbersOutsideTheTablesOrOptionsWriteNothing) {
  record().imageHalftone = 7;      // no halftone row
  record().graphicsHalftone = 1;   // "General": the PPD's GraphicsHalftone lacks it
  record().smoothing = 0xFFFF;     // -1 as the record keeps it
  record().imageIntent = 4;        // "SatsRGB": ImageIntent lacks it
  record().graphicsIntent = 9;
  EXPECT_EQ(EndSetup(), Line("MiserMode", "True") + gray_);
}

TEST_F(QualityColourTest, ProfilesInsteadOfIntents) {
  record().useColorIntents = 0;
  // Without a disk the printer's own intents stand in.
  EXPECT_EQ(EndSetup(), quality_ + halftones_ + Line("ImageIntent", "Contrast") +
                            Line("GraphicsIntent", "Vivid") + gray_);

  record().devOpts.installedOptions[settings::kHasHardDisk] = 1;
  record().simulationNone = 0;
  StoreText(record().simulationFile, u"SWOP.ICC");
  record().destinationNone = 0;
  StoreText(record().destinationFile, u"My (Paper)\\.icc");
  EXPECT_EQ(EndSetup(),
            quality_ + halftones_ +
                "//statusdict /setrgbsourceprofile known {statusdict begin "
                "(/ata0a/ps/color/profiles/) setrgbsourceprofile end} if \r\n" +
                gray_ +
                "//statusdict /setsimulationprofile known {statusdict begin "
                "(/ata0a/ps/color/profiles/SWOP.ICC) setsimulationprofile end} if \r\n"
                "//statusdict /setdestinationprofile known {statusdict begin "
                "(/ata0a/ps/color/profiles/My \\(Paper\\)\\\\.icc) setdestinationprofile end} if \r\n");
}

TEST_F(QualityColourTest, IntentsWithADiskStillUseThePpd) {
  record().devOpts.installedOptions[settings::kHasHardDisk] = 1;
  record().simulationNone = 0;
  StoreText(record().simulationFile, u"S.ICC");
  const std::string text = EndSetup();
  EXPECT_NE(text.find(Line("ImageIntent", "sRGB")), std::string::npos);
  EXPECT_EQ(text.find("setrgbsourceprofile"), std::string::npos);
  EXPECT_NE(text.find("(/ata0a/ps/color/profiles/S.ICC) setsimulationprofile"), std::string::npos);
}

TEST_F(QualityColourTest, InvocationsAreWrittenUnchanged) {
  printer_.SetPpd(test::WriteTestPpd(printer_.directory(), "percent.ppd",
                                     "*OpenUI *MiserMode: PickOne\n*MiserMode True: \"50 % pop\"\n"
                                     "*CloseUI: *MiserMode\n"));
  Device();
  record().miserMode = 1;
  EXPECT_EQ(EndSetup(), "50 % pop\r\n");
}

TEST_F(QualityColourTest, NoPpdWritesNoFeatures) {
  printer_.SetPpd("");
  Device();
  record().miserMode = 1;
  EXPECT_EQ(EndSetup(), "");
}

}  // namespace
}  // namespace kx::ps
