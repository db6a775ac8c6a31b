// The plug-in with a printer of the system's own spooler (Wine's winspool and registry):
// a driver installed the way a printer installer does it, with the sample PPD as its data
// file, and printer data stored and read through the spooler.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/oemps.h"
#include "hostsim/document_copier.h"
#include "platform/last_error.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/record.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"
#include "support/win32/spooler_printer.h"

namespace kx::ps {
namespace {

using namespace host;
using settings::StoreText;

constexpr uint32_t kSentinel = 0xdeadbeef;
constexpr uint8_t kCanary = 0xA5;
constexpr char16_t kPrinterName[] = u"KX48T7 Spooler";
constexpr char16_t kDriverName[] = u"KX48T7 PS (installed)";

// A printer whose driver the spooler installed from the sample PPD: the data file is the
// spooler's copy in its driver directory.
class SpoolerPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    test::win32::DriverSetup driver;
    driver.name = kDriverName;
    driver.dataFile = platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD);
    ASSERT_TRUE(test::win32::InstallDriver(driver, &error)) << error;
    ASSERT_TRUE(test::win32::InstallPrinter(kPrinterName, kDriverName, &error)) << error;
    ASSERT_TRUE(platform::OpenPrinter(kPrinterName, &printer_));
    module_ = hostsim::PluginModule::Load(KX48T7PS_MODULE_PATH, &error);
    ASSERT_NE(module_, nullptr) << error;
    session_ = hostsim::RenderSession::Create(*module_, &error);
    ASSERT_NE(session_, nullptr) << error;
  }
  void TearDown() override {
    session_.reset();
    if (printer_ != nullptr) {
      EXPECT_TRUE(platform::ClosePrinter(printer_));
    }
    EXPECT_TRUE(test::win32::RemovePrinter(kPrinterName));
  }

  std::unique_ptr<hostsim::HostDevice> Device() {
    auto device = std::make_unique<hostsim::HostDevice>(*session_, printer_, hostsim::DeviceModeSettings{});
    std::string error;
    EXPECT_TRUE(device->PrepareRecord(nullptr, &error)) << error;
    EXPECT_TRUE(device->Enable(&error)) << error;
    return device;
  }

  platform::PrinterHandle printer_ = nullptr;
  std::unique_ptr<hostsim::PluginModule> module_;
  std::unique_ptr<hostsim::RenderSession> session_;
};

TEST_F(SpoolerPrinterTest, DriverInformationNamesTheInstalledPpd) {
  uint32_t needed = kSentinel;
  platform::SetLastErrorCode(kSentinel);
  EXPECT_FALSE(platform::GetPrinterDriver(printer_, 3, nullptr, 0, &needed));
  EXPECT_EQ(platform::GetLastErrorCode(), platform::kErrorInsufficientBuffer);
  ASSERT_GT(needed, sizeof(platform::DriverInfo3));
  ASSERT_NE(needed, kSentinel);

  std::vector<uint8_t> buffer(needed + 1, kCanary);
  uint32_t filled = kSentinel;
  ASSERT_TRUE(platform::GetPrinterDriver(printer_, 3, buffer.data(), needed, &filled));
  EXPECT_EQ(buffer[needed], kCanary);
  const auto* info = reinterpret_cast<const platform::DriverInfo3*>(buffer.data());
  EXPECT_EQ(info->version, 3u);
  ASSERT_NE(info->name, nullptr);
  EXPECT_EQ(std::u16string(info->name), kDriverName);
  ASSERT_NE(info->dataFile, nullptr);
  EXPECT_EQ(std::u16string(info->dataFile),
            test::win32::DriverDirectory() + u"\\3\\VRX48T7-PSN.ppd");
  // Every string lies inside the caller's buffer.
  for (const char16_t* text : {info->name, info->environment, info->driverPath, info->dataFile,
                               info->configFile}) {
    ASSERT_NE(text, nullptr);
    EXPECT_GE(reinterpret_cast<const uint8_t*>(text), buffer.data());
    EXPECT_LT(reinterpret_cast<const uint8_t*>(text), buffer.data() + needed);
  }

  // One byte short is still too small.
  platform::SetLastErrorCode(kSentinel);
  EXPECT_FALSE(platform::GetPrinterDriver(printer_, 3, buffer.data(), needed - 1, &filled));
  EXPECT_EQ(platform::GetLastErrorCode(), platform::kErrorInsufficientBuffer);
}

TEST_F(SpoolerPrinterTest, PrinterDataThroughTheSpooler) {
  std::vector<uint8_t> options(settings::kDeviceOptionsSize, 0);
  for (size_t i = 0; i < options.size(); ++i) options[i] = static_cast<uint8_t>(i * 7);
  ASSERT_EQ(platform::SetPrinterData(printer_, u"DevOpts", platform::kRegBinary,
                                     options.data(), static_cast<uint32_t>(options.size())),
            platform::kErrorSuccess);

  // The size query: too small a buffer gives 234 and the size, and leaves the buffer.
  uint32_t type = kSentinel;
  uint32_t needed = kSentinel;
  std::vector<uint8_t> small(4, kCanary);
  EXPECT_EQ(platform::GetPrinterData(printer_, u"DevOpts", &type, small.data(), 4, &needed),
            platform::kErrorMoreData);
  EXPECT_EQ(needed, settings::kDeviceOptionsSize);
  EXPECT_EQ(type, platform::kRegBinary);

  std::vector<uint8_t> read(options.size() + 1, kCanary);
  needed = kSentinel;
  EXPECT_EQ(platform::GetPrinterData(printer_, u"DevOpts", &type, read.data(),
                                     static_cast<uint32_t>(options.size()), &needed),
            platform::kErrorSuccess);
  EXPECT_EQ(needed, settings::kDeviceOptionsSize);
  EXPECT_EQ(read.back(), kCanary);
  read.pop_back();
  EXPECT_EQ(read, options);

  const uint32_t size = 1234;
  ASSERT_EQ(platform::SetPrinterData(printer_, u"FeatureKeywordSize", 4,
                                     reinterpret_cast<const uint8_t*>(&size), 4),
            platform::kErrorSuccess);
  uint32_t value = kSentinel;
  EXPECT_EQ(platform::GetPrinterData(printer_, u"FeatureKeywordSize", &type,
                                     reinterpret_cast<uint8_t*>(&value), 4, &needed),
            platform::kErrorSuccess);
  EXPECT_EQ(type, 4u);
  EXPECT_EQ(value, 1234u);

  type = kSentinel;
  needed = kSentinel;
  EXPECT_EQ(platform::GetPrinterData(printer_, u"FeatureKeyword", &type, read.data(),
                                     static_cast<uint32_t>(read.size()), &needed),
            platform::kErrorFileNotFound);
}

TEST_F(SpoolerPrinterTest, TheJobTakesDevOptsAndThePpdFromTheSpooler) {
  settings::DeviceOptions options{};
  options.installedOptions[settings::kHasHardDisk] = 1;
  StoreText(options.userName, u"\uAE40\uCCA0\uC218");
  std::strcpy(options.userNameUtf8, "\xEA\xB9\x80\xEC\xB2\xA0\xEC\x88\x98");
  ASSERT_EQ(platform::SetPrinterData(printer_, u"DevOpts", platform::kRegBinary,
                                     reinterpret_cast<const uint8_t*>(&options), sizeof options),
            platform::kErrorSuccess);

  auto device = Device();
  // The merge copied the printer's device options into the job's record.
  EXPECT_EQ(device->record().devOpts.installedOptions[settings::kHasHardDisk], 1);
  StoreText(device->record().overlays[0].fileName, u"FORM.PS");
  device->record().overlays[0].enabled = 1;
  device->StartDoc(u"Spooler job");
  std::string error;
  ASSERT_TRUE(hostsim::CopyDocument(*device, hostsim::SampleDocument(1), &error)) << error;
  const std::string& job = device->spool().bytes;
  EXPECT_NE(job.find("@PJL JOB NAME = \"Spooler job\"\r\n"), std::string::npos);
  EXPECT_NE(job.find("@PJL SET USERNAME = \"\xEA\xB9\x80\xEC\xB2\xA0\xEC\x88\x98\"\r\n"),
            std::string::npos);
  // The installed PPD describes a colour printer.
  EXPECT_NE(job.find("<</ProcessColorModel /DeviceCMYK >>setpagedevice\r\n"), std::string::npos);
  // The disk is installed: the overlay runs from it.
  EXPECT_NE(job.find("{(/ata0a/ps/FORM.PS) run} stopped"), std::string::npos);
}

TEST_F(SpoolerPrinterTest, OversizedDevOptsIsNotTaken) {
  std::vector<uint8_t> oversized(settings::kDeviceOptionsSize + 1, 1);
  ASSERT_EQ(platform::SetPrinterData(printer_, u"DevOpts", platform::kRegBinary,
                                     oversized.data(), static_cast<uint32_t>(oversized.size())),
            platform::kErrorSuccess);
  auto device = Device();
  EXPECT_EQ(device->record().devOpts.installedOptions[settings::kHasHardDisk], 0);
}

TEST(SpoolerTest, UnknownPrinterAndStaleHandle) {
  platform::PrinterHandle printer = reinterpret_cast<platform::PrinterHandle>(uintptr_t{kSentinel});
  platform::SetLastErrorCode(kSentinel);
  EXPECT_FALSE(platform::OpenPrinter(u"KX48T7 No Such Printer", &printer));
  EXPECT_EQ(platform::GetLastErrorCode(), platform::kErrorInvalidPrinterName);
  EXPECT_EQ(printer, reinterpret_cast<platform::PrinterHandle>(uintptr_t{kSentinel}));
  platform::SetLastErrorCode(kSentinel);
  EXPECT_FALSE(platform::OpenPrinter(u"", &printer));
  EXPECT_EQ(platform::GetLastErrorCode(), platform::kErrorInvalidPrinterName);
}

}  // namespace
}  // namespace kx::ps
