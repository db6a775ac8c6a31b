// From the colour settings detail to the printed job: printer-resident profiles chosen
// for a printer with a disk, OK, and a job rendered through the rendering plug-in with
// the record the dialog left, which names the profiles' files on the printer's disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "colour/colour_details_dialog.h"
#include "colour/profile_store.h"
#include "dialog_driver.h"
#include "hostsim/document_copier.h"
#include "page_set.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"
#include "support/test_ppd.h"
#include "user_store.h"
#ifndef _WIN32
#include "support/ghostscript.h"
#endif

namespace kx::ui {
namespace {

using namespace host;
using settings::FieldText;
using settings::PrivateRecord;

constexpr char16_t kPrinterName[] = u"Test Printer";  // the loaded plug-in's test printer
constexpr int kColourRadio = 1382, kProfileRadio = 1396, kRgbSourceList = 1390;
constexpr int kSimulationList = 1392, kDestinationList = 1397, kOk = 1, kHelp = 1395;
constexpr ProfileKind kKinds[] = {ProfileKind::kRgbSource, ProfileKind::kSimulation,
                                  ProfileKind::kDestination};

std::string ColourPpd() {
  return "*ColorDevice: True\n" +
         test::PickOneFeature("ImageHalftone", "General", {"Low", "General", "High"}) +
         test::PickOneFeature("GraphicsHalftone", "High", {"Low", "High"}) +
         test::PickOneFeature("ImageIntent", "sRGB", {"Contrast", "Vivid", "sRGB"}) +
         test::PickOneFeature("GraphicsIntent", "Vivid", {"Contrast", "Vivid"}) +
         test::PickOneFeature("ImageProcessGray", "True", {"False", "True"}) +
         test::PickOneFeature("GraphicsProcessGray", "False", {"False", "True"});
}

bool ChooseText(const test::DialogDriver& user, int list, std::u16string_view text) {
  const std::vector<std::u16string> items = user.Items(list);
  const auto found = std::find(items.begin(), items.end(), text);
  return found != items.end() && user.Choose(list, static_cast<int>(found - items.begin()));
}

class ColourJobTest : public test::LoadedPluginTest {
 protected:
  void SetUp() override {
    LoadedPluginTest::SetUp();
    const std::string path = test::WriteTestPpd(printer_.directory(), "colour.ppd", ColourPpd());
    printer_.SetPpd(path);
    // The printer's installed disk, as the printer's settings store it.
    settings::DeviceOptions options{};
    options.installedOptions[settings::kHasHardDisk] = 1;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&options);
    printer_.SetDevOpts(std::vector<uint8_t>(bytes, bytes + sizeof(options)));
    ppd_ = ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str());
    ASSERT_NE(ppd_, nullptr);
  }
  void TearDown() override {
    if (ppd_ != nullptr) ppd::PpdClose(ppd_);
    for (const ProfileKind kind : kKinds) {
      platform::DeleteRegistryTree(platform::Hive::kCurrentUser,
                                   PrinterStorePath(kPrinterName, ProfileStoreName(kind)));
    }
    test::LoadedPluginTest::TearDown();
  }

  INT_PTR ShowDetails(PrivateRecord* record, const test::ModalScript::Script& script) {
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_.handle();
    param_.pPrinterName = printerName_.data();
    param_.pOEMDM = record;
    context_.commonUi = &param_;
    context_.ppd = ppd_;
    test::ModalScript modal(kHelp, script);
    const INT_PTR result = ShowColourDetails(nullptr, &context_);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  std::string Job(const PrivateRecord& record) { return JobFor(record, 1); }

  std::u16string printerName_ = kPrinterName;
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  const ppd::PpdImage* ppd_ = nullptr;
};

TEST_F(ColourJobTest, TheJobNamesTheProfilesChosenInTheDialog) {
  ASSERT_EQ(WriteProfile(ProfileKind::kRgbSource, kPrinterName, u"Adobe RGB", u"ADOBERGB.ICC"),
            platform::kErrorSuccess);
  ASSERT_EQ(WriteProfile(ProfileKind::kRgbSource, kPrinterName, u"Scanner", u"SCAN.ICC"),
            platform::kErrorSuccess);
  ASSERT_EQ(WriteProfile(ProfileKind::kSimulation, kPrinterName, u"SWOP Coated", u"SWOPC.ICC"),
            platform::kErrorSuccess);
  ASSERT_EQ(WriteProfile(ProfileKind::kDestination, kPrinterName, u"Office Paper", u"OFFICE.ICC"),
            platform::kErrorSuccess);

  PrivateRecord record{};
  settings::SetRecordDefaults(&record, printer_.handle());
  // The printer's options as the host's merge gives them to the document's record.
  record.devOpts.installedOptions[settings::kHasHardDisk] = 1;
  EXPECT_EQ(ShowDetails(&record,
                        [](test::DialogDriver& user) {
                          user.Click(kColourRadio);
                          user.Click(kProfileRadio);
                          EXPECT_TRUE(ChooseText(user, kRgbSourceList, u"Adobe RGB"));
                          EXPECT_TRUE(ChooseText(user, kSimulationList, u"SWOP Coated"));
                          EXPECT_TRUE(ChooseText(user, kDestinationList, u"Office Paper"));
                          user.Click(kOk);
                        }),
            1);
  ASSERT_EQ(record.colorMode, 2);
  ASSERT_EQ(record.useColorIntents, 0u);
  EXPECT_EQ(FieldText(record.rgbSourceFile), u"ADOBERGB.ICC");
  EXPECT_EQ(FieldText(record.simulationName), u"SWOP Coated");

  const std::string job = Job(record);
  for (const std::string line :
       {"//statusdict /setrgbsourceprofile known {statusdict begin "
        "(/ata0a/ps/color/profiles/ADOBERGB.ICC) setrgbsourceprofile end} if \r\n",
        "//statusdict /setsimulationprofile known {statusdict begin "
        "(/ata0a/ps/color/profiles/SWOPC.ICC) setsimulationprofile end} if \r\n",
        "//statusdict /setdestinationprofile known {statusdict begin "
        "(/ata0a/ps/color/profiles/OFFICE.ICC) setdestinationprofile end} if \r\n"}) {
    EXPECT_NE(job.find(line), std::string::npos) << line;
  }
  // The profile stands in for the printer's intents.
  EXPECT_EQ(job.find("(ImageIntent="), std::string::npos);
  EXPECT_EQ(job.find("SCAN.ICC"), std::string::npos);

#ifndef _WIN32
  const test::GhostscriptRun run = test::RunGhostscript(job);
  EXPECT_EQ(run.status, 0) << run.output;
#endif
}

}  // namespace
}  // namespace kx::ui
