#include <gtest/gtest.h>

#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/test_ppd.h"
#include "support/test_printer.h"

namespace kx::settings {
namespace {

class PrinterDefaultsTest : public ::testing::Test {
 protected:
  PrivateRecord Defaults(const std::string& ppdBody) {
    printer_.SetPpd(test::WriteTestPpd(printer_.directory(), "printer.ppd", ppdBody));
    PrivateRecord record{};
    EXPECT_TRUE(SetRecordDefaults(&record, printer_.handle()));
    return record;
  }
  test::TestPrinter printer_;
};

TEST_F(PrinterDefaultsTest, QualityModeFromQualityModeOrResolution) {
  struct Case {
    const char* name;
    std::string ppd;
    uint16_t expected;
  };
  const Case cases[] = {
      {"QualityMode default with further letters",
       test::PickOneFeature("QualityMode", "1200dpiFine", {"600dpi", "1200dpiFine"}), 3},
      {"QualityMode default matching no row",
       test::PickOneFeature("QualityMode", "Photo", {"600dpi", "Photo"}), 0},
      {"QualityMode wins over Resolution",
       test::PickOneFeature("Resolution", "300dpi", {"300dpi"}) +
           test::PickOneFeature("QualityMode", "Draft", {"Draft", "Fine"}), 8},
      {"Resolution without QualityMode", "*DefaultResolution: 2400dpi\n*Resolution 600dpi: \"\"\n"
                                         "*Resolution 2400dpi: \"\"\n", 4},
      {"neither", test::PickOneFeature("MediaType", "Plain", {"Plain"}), 2},
      {"default names no option: the first option",
       test::PickOneFeature("QualityMode", "Missing", {"High", "Normal"}), 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Defaults(c.ppd).qualityMode, c.expected);
  }
}

TEST_F(PrinterDefaultsTest, IndexesAndHeaderValues) {
  const PrivateRecord record = Defaults(
      test::PickOneFeature("MiserMode", "True", {"False", "True"}) +
      "*SuggestedJobTimeout: \"70000\"\n*PrintPSError: False\n*SingleUserMode: True\n");
  EXPECT_EQ(record.miserMode, 1u);
  EXPECT_EQ(record.jobTimeout, 4464u);  // 70000 taken as a signed 16-bit number
  EXPECT_EQ(record.printPsErrors, 0u);
  EXPECT_EQ(record.singleUserMode, 1u);
  EXPECT_TRUE(FieldText(record.ppdFileName).ends_with(u"/printer.ppd"));
}

// The disk's default option keyword decides, not its position: PPDs list True and False
// in either order.
TEST_F(PrinterDefaultsTest, HardDiskFromTheDefaultOptionKeyword) {
  struct Case {
    const char* defaultOption;
    std::vector<std::string> options;
    uint8_t expected;
  };
  const Case cases[] = {
      {"True", {"False", "True"}, 1},
      {"True", {"True", "False"}, 1},
      {"False", {"True", "False"}, 0},
      {"Installed", {"None", "Installed"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.defaultOption) + " of " + c.options.front() + " first");
    const PrivateRecord record =
        Defaults("*OpenGroup: InstallableOptions\n" +
                 test::PickOneFeature("OptionalDisk", c.defaultOption, c.options) +
                 "*CloseGroup: InstallableOptions\n");
    EXPECT_EQ(record.devOpts.installedOptions[kHasHardDisk], c.expected);
  }
}

TEST_F(PrinterDefaultsTest, NegativeTimeoutIsWidenedWithItsSign) {
  EXPECT_EQ(Defaults("*SuggestedJobTimeout: \"65535\"\n").jobTimeout, 0xFFFFFFFFu);
}

TEST_F(PrinterDefaultsTest, UnparsablePpdKeepsThePathAndTheBuiltInDefaults) {
  const PrivateRecord record =
      Defaults("*" + std::string(41, 'K') + ": \"too long a keyword\"\n*PrintPSError: False\n");
  EXPECT_TRUE(FieldText(record.ppdFileName).ends_with(u"/printer.ppd"));
  EXPECT_EQ(record.qualityMode, 2);
  EXPECT_EQ(record.printPsErrors, 1u);
  EXPECT_EQ(record.jobTimeout, 0u);
  EXPECT_EQ(record.devOpts.installedOptions[kHasHardDisk], 0);
}

TEST_F(PrinterDefaultsTest, MissingPpdFileKeepsThePath) {
  printer_.SetPpd(printer_.directory() + "/gone.ppd");
  PrivateRecord record{};
  ASSERT_TRUE(SetRecordDefaults(&record, printer_.handle()));
  EXPECT_TRUE(FieldText(record.ppdFileName).ends_with(u"/gone.ppd"));
  EXPECT_EQ(record.qualityMode, 2);
}

}  // namespace
}  // namespace kx::settings
