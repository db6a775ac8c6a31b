#include "platform/spooler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/printer_setup.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "support/temp_store.h"

#ifdef _WIN32
#include "support/win32/spooler_printer.h"
#endif

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xdeadbeef;
constexpr uint8_t kCanary = 0xA5;
constexpr char16_t kPrinterName[] = u"KX48T7 Office";
constexpr char16_t kLabPrinterName[] = u"KX48T7 Lab";

// A PPD path in the system's own form, as the spooler reports it.
std::u16string PpdPath(const std::u16string& name) {
#ifdef _WIN32
  return u"C:\\kx48t7\\ppd\\" + name;
#else
  return u"/opt/kx48t7/ppd/" + name;
#endif
}
const std::u16string kPpdPath = PpdPath(u"KX48T7 \uD55C\uAE00.ppd");

#ifdef _WIN32
// Windows has no printer set-up in the platform layer: printers are installed through
// the spooler, as the other Windows tests install theirs. There the data file belongs to
// the driver, and an existing printer is kept so that its printer data stays.
bool Install(const PrinterSetup& setup) {
  std::string error;
  test::win32::DriverSetup driver;
  driver.name = setup.driverName;
  driver.dataFile = Utf8ToUtf16(KX48T7_SAMPLE_PPD);
  PrinterHandle existing = nullptr;
  const bool installed = OpenPrinter(setup.name, &existing) && ClosePrinter(existing);
  const bool done = test::win32::InstallDriver(driver, &error) &&
                    (installed || test::win32::InstallPrinter(setup.name, setup.driverName,
                                                              &error)) &&
                    test::win32::SetDriverDataFile(setup.driverName, setup.dataFile, &error);
  EXPECT_TRUE(done) << error;
  return done;
}
bool Uninstall(const std::u16string& name) {
  PrinterHandle existing = nullptr;
  if (!OpenPrinter(name, &existing)) return false;  // the last error says why
  ClosePrinter(existing);
  return test::win32::RemovePrinter(name);
}
#else
bool Install(const PrinterSetup& setup) { return InstallPrinter(setup); }
bool Uninstall(const std::u16string& name) { return RemovePrinter(name); }
#endif

PrinterHandle SentinelHandle() { return reinterpret_cast<PrinterHandle>(uintptr_t{0xdeadbeef}); }

class SpoolerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrinterSetup setup;
    setup.name = kPrinterName;
    setup.dataFile = kPpdPath;
    setup.portName = u"IP_10.0.0.5";
    ASSERT_TRUE(Install(setup));
    ASSERT_TRUE(OpenPrinter(kPrinterName, &printer_));
  }
  void TearDown() override {
    if (printer_ != nullptr) {
      EXPECT_TRUE(ClosePrinter(printer_));
    }
#ifdef _WIN32
    // The system's spooler outlives the test.
    Uninstall(kPrinterName);
    Uninstall(kLabPrinterName);
#endif
  }

  // Fetches the driver information through the size query, checking both calls.
  std::vector<uint8_t> DriverInfoBuffer(PrinterHandle printer) {
    uint32_t needed = kSentinel;
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(GetPrinterDriver(printer, 3, nullptr, 0, &needed));
    EXPECT_EQ(GetLastErrorCode(), kErrorInsufficientBuffer);
    EXPECT_GT(needed, sizeof(DriverInfo3));
    EXPECT_NE(needed, kSentinel);
    if (needed == kSentinel || needed <= sizeof(DriverInfo3)) return {};
    std::vector<uint8_t> buffer(needed + 1, kCanary);
    uint32_t filled = kSentinel;
    EXPECT_TRUE(GetPrinterDriver(printer, 3, buffer.data(), needed, &filled));
    EXPECT_EQ(filled, needed);
    EXPECT_EQ(buffer[needed], kCanary);
    buffer.pop_back();
    return buffer;
  }

  PrinterHandle printer_ = nullptr;
  test::TempStore store_;
};

TEST_F(SpoolerTest, UnknownPrinterNamesAreRefused) {
  const std::u16string names[] = {u"No Such Printer", u"", u"KX48T7 Office\\Sub",
                                  u"\\\\server\\KX48T7 Office", u"KX48T7 Office,LPT1:"};
  for (const auto& name : names) {
    SCOPED_TRACE(testing::Message() << name.size() << " units");
    PrinterHandle handle = SentinelHandle();
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(OpenPrinter(name, &handle));
    EXPECT_EQ(GetLastErrorCode(), kErrorInvalidPrinterName);
    EXPECT_EQ(handle, SentinelHandle());
  }
  PrinterHandle handle = nullptr;
  ASSERT_TRUE(OpenPrinter(u"kx48t7 OFFICE", &handle));
  EXPECT_TRUE(ClosePrinter(handle));
}

TEST_F(SpoolerTest, DriverInfoPointsIntoTheBuffer) {
  const std::vector<uint8_t> buffer = DriverInfoBuffer(printer_);
  ASSERT_FALSE(buffer.empty());
  DriverInfo3 info;
  std::memcpy(&info, buffer.data(), sizeof info);
  EXPECT_EQ(info.version, 3u);
  const auto* begin = reinterpret_cast<const char16_t*>(buffer.data() + sizeof info);
  const auto* end = reinterpret_cast<const char16_t*>(buffer.data() + buffer.size());
  const struct {
    const char* label;
    const char16_t* text;
  } strings[] = {{"name", info.name},
                 {"environment", info.environment},
                 {"driver path", info.driverPath},
                 {"data file", info.dataFile},
                 {"config file", info.configFile}};
  for (const auto& s : strings) {
    SCOPED_TRACE(s.label);
    ASSERT_NE(s.text, nullptr);
    ASSERT_GE(s.text, begin);
    ASSERT_LT(s.text, end);
    EXPECT_LE(s.text + std::char_traits<char16_t>::length(s.text), end - 1);
  }
  EXPECT_EQ(std::u16string(info.name), u"KX48T7 PS");
  EXPECT_EQ(std::u16string(info.dataFile), kPpdPath);
  EXPECT_EQ(info.helpFile, nullptr);
#ifdef _WIN32
  // No language monitor: the spooler may give an empty name for none.
  EXPECT_TRUE(info.monitorName == nullptr || *info.monitorName == u'\0');
#else
  EXPECT_EQ(info.monitorName, nullptr);
#endif

  // One byte short fails the same way and writes nothing past what it was given.
  std::vector<uint8_t> small(buffer.size(), kCanary);
  uint32_t needed = kSentinel;
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(GetPrinterDriver(printer_, 3, small.data(),
                                static_cast<uint32_t>(buffer.size() - 1), &needed));
  EXPECT_EQ(GetLastErrorCode(), kErrorInsufficientBuffer);
  EXPECT_EQ(needed, buffer.size());
  EXPECT_EQ(small.back(), kCanary);
}

TEST_F(SpoolerTest, DriverInfoRefusesOtherLevels) {
  std::vector<uint8_t> buffer(4096);
  uint32_t needed = kSentinel;
  for (uint32_t level : {1u, 2u, 4u, 6u}) {
    SCOPED_TRACE(level);
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(GetPrinterDriver(printer_, level, buffer.data(), 4096, &needed));
    EXPECT_EQ(GetLastErrorCode(), kErrorInvalidLevel);
  }
  EXPECT_EQ(needed, kSentinel);
}

TEST_F(SpoolerTest, PrinterDataFollowsGetPrinterData) {
  const std::vector<uint8_t> keywords = {'P', 'a', 'g', 'e', 'S', 'i', 'z', 'e', 0, 'A', '4', 0};
  ASSERT_EQ(SetPrinterData(printer_, u"FeatureKeyword", kRegBinary, keywords.data(),
                           static_cast<uint32_t>(keywords.size())),
            kErrorSuccess);

  uint32_t type = kSentinel;
  uint32_t needed = kSentinel;
  EXPECT_EQ(GetPrinterData(printer_, u"FeatureKeyword", &type, nullptr, 0, &needed),
            kErrorMoreData);
  EXPECT_EQ(needed, keywords.size());
  EXPECT_EQ(type, kRegBinary);

  std::vector<uint8_t> buffer(keywords.size() + 1, kCanary);
  needed = kSentinel;
  EXPECT_EQ(GetPrinterData(printer_, u"FeatureKeyword", &type, buffer.data(),
                           static_cast<uint32_t>(keywords.size() - 1), &needed),
            kErrorMoreData);
  EXPECT_EQ(needed, keywords.size());
  EXPECT_EQ(buffer[keywords.size() - 1], kCanary);

  needed = kSentinel;
  EXPECT_EQ(GetPrinterData(printer_, u"featurekeyword", &type, buffer.data(),
                           static_cast<uint32_t>(keywords.size()), &needed),
            kErrorSuccess);
  EXPECT_EQ(needed, keywords.size());
  EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.end() - 1), keywords);
  EXPECT_EQ(buffer.back(), kCanary);

  // A rewrite with a shorter value reports the new size.
  const uint32_t size = 4;
  ASSERT_EQ(SetPrinterData(printer_, u"FeatureKeywordSize", kRegDword,
                           reinterpret_cast<const uint8_t*>(&size), 4),
            kErrorSuccess);
  ASSERT_EQ(SetPrinterData(printer_, u"FeatureKeyword", kRegBinary, keywords.data(), 2),
            kErrorSuccess);
  EXPECT_EQ(GetPrinterData(printer_, u"FeatureKeyword", &type, buffer.data(),
                           static_cast<uint32_t>(buffer.size()), &needed),
            kErrorSuccess);
  EXPECT_EQ(needed, 2u);

  // An absent value leaves the out-parameters alone.
  type = kSentinel;
  needed = kSentinel;
  EXPECT_EQ(GetPrinterData(printer_, u"DevOpts", &type, buffer.data(),
                           static_cast<uint32_t>(buffer.size()), &needed),
            kErrorFileNotFound);
  EXPECT_EQ(type, kSentinel);
  EXPECT_EQ(needed, kSentinel);
}

TEST_F(SpoolerTest, PrinterDataIsPerPrinterAndSurvivesReinstall) {
  PrinterSetup second;
  second.name = kLabPrinterName;
  second.dataFile = PpdPath(u"lab.ppd");
  ASSERT_TRUE(Install(second));
  PrinterHandle lab = nullptr;
  ASSERT_TRUE(OpenPrinter(second.name, &lab));

  const uint8_t tray[] = {7};
  ASSERT_EQ(SetPrinterData(printer_, u"TraySwitch", kRegBinary, tray, 1), kErrorSuccess);
  uint32_t needed = kSentinel;
  uint8_t byte = 0;
  EXPECT_EQ(GetPrinterData(lab, u"TraySwitch", nullptr, &byte, 1, &needed), kErrorFileNotFound);

  // Installing again replaces the description and keeps the data.
  PrinterSetup again;
  again.name = kPrinterName;
  again.dataFile = PpdPath(u"new.ppd");
  ASSERT_TRUE(Install(again));
  EXPECT_EQ(GetPrinterData(printer_, u"TraySwitch", nullptr, &byte, 1, &needed), kErrorSuccess);
  EXPECT_EQ(byte, 7);
  const std::vector<uint8_t> buffer = DriverInfoBuffer(printer_);
  ASSERT_FALSE(buffer.empty());
  DriverInfo3 info;
  std::memcpy(&info, buffer.data(), sizeof info);
  EXPECT_EQ(std::u16string(info.dataFile), again.dataFile);

#ifndef _WIN32
  // The description lives where the spooler keeps printers in the machine hive.
  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(OpenRegistryKey(Hive::kLocalMachine,
                            u"System\\CurrentControlSet\\Control\\Print\\Printers\\KX48T7 Lab",
                            &key),
            kErrorSuccess);
  uint32_t size = 0;
  EXPECT_EQ(key->QueryValue(u"Data File", nullptr, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, (second.dataFile.size() + 1) * sizeof(char16_t));
#endif

  EXPECT_TRUE(ClosePrinter(lab));
}

TEST_F(SpoolerTest, BadHandlesAreRefused) {
  int notAPrinter = 0;
  uint8_t byte = 1;
  uint32_t needed = kSentinel;
  for (PrinterHandle bad : {PrinterHandle{nullptr}, PrinterHandle{&notAPrinter}}) {
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(GetPrinterDriver(bad, 3, &byte, 1, &needed));
    EXPECT_EQ(GetLastErrorCode(), kErrorInvalidHandle);
    EXPECT_EQ(GetPrinterData(bad, u"DevOpts", nullptr, &byte, 1, &needed), kErrorInvalidHandle);
    EXPECT_EQ(SetPrinterData(bad, u"DevOpts", kRegBinary, &byte, 1), kErrorInvalidHandle);
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(ClosePrinter(bad));
    EXPECT_EQ(GetLastErrorCode(), kErrorInvalidHandle);
  }
  EXPECT_EQ(needed, kSentinel);

  // A closed handle is as bad as any other.
  PrinterHandle closed = printer_;
  printer_ = nullptr;
  ASSERT_TRUE(ClosePrinter(closed));
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(ClosePrinter(closed));
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidHandle);
  EXPECT_EQ(SetPrinterData(closed, u"DevOpts", kRegBinary, &byte, 1), kErrorInvalidHandle);
}

TEST_F(SpoolerTest, RemovedPrinterIsGone) {
#ifdef _WIN32
  // Windows deletes a printer that is still open only once its last handle is closed;
  // handles kept across the removal are checked on POSIX systems.
  ASSERT_TRUE(ClosePrinter(printer_));
  printer_ = nullptr;
#endif
  ASSERT_TRUE(Uninstall(kPrinterName));
  PrinterHandle handle = nullptr;
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(OpenPrinter(kPrinterName, &handle));
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidPrinterName);

#ifndef _WIN32
  uint32_t needed = kSentinel;
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(GetPrinterDriver(printer_, 3, nullptr, 0, &needed));
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidPrinterName);
  const uint8_t byte = 1;
  EXPECT_EQ(SetPrinterData(printer_, u"DevOpts", kRegBinary, &byte, 1), kErrorInvalidPrinterName);
#endif

  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(Uninstall(kPrinterName));
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidPrinterName);
}

}  // namespace
}  // namespace kx::platform
