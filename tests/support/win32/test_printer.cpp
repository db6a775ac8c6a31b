#include "support/test_printer.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/win32/spooler_printer.h"

namespace kx::test {
namespace {

// Each printer has a driver of its own, since the data file (the PPD) belongs to the
// driver: printers of one test never share a PPD by accident.
std::u16string DriverName(const std::u16string& printer) {
  return u"KX48T7 PS (" + printer + u")";
}

// Installs (or reinstalls) the driver with the spooler's copy of the sample PPD as its
// data file: adding a printer makes Wine's PostScript driver read the driver's PPD, and
// with none it fails (it dereferences the missing file name).
bool InstallDriver(const std::u16string& name, std::string* error) {
  win32::DriverSetup setup;
  setup.name = name;
  setup.dataFile = platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD);
  return win32::InstallDriver(setup, error);
}

}  // namespace

TestPrinter::TestPrinter(std::u16string name, std::u16string dataFile) : name_(name) {
  std::string error;
  const std::u16string driver = DriverName(name_);
  const bool installed = InstallDriver(driver, &error) &&
                         win32::InstallPrinter(name_, driver, &error) &&
                         win32::SetDriverDataFile(driver, dataFile, &error);
  EXPECT_TRUE(installed) << error;
  EXPECT_TRUE(platform::OpenPrinter(name_, &handle_));
}

TestPrinter::~TestPrinter() {
  if (handle_ != nullptr) platform::ClosePrinter(handle_);
  EXPECT_TRUE(win32::RemovePrinter(name_));
}

void TestPrinter::SetDevOpts(const std::vector<uint8_t>& bytes) {
  ASSERT_EQ(platform::SetPrinterData(handle_, u"DevOpts", 3, bytes.data(),
                                     static_cast<uint32_t>(bytes.size())),
            0u);
}

void TestPrinter::SetPpd(const std::string& path) {
  std::string error;
  EXPECT_TRUE(win32::SetDriverDataFile(DriverName(name_), platform::Utf8ToUtf16(path), &error))
      << error;
}

}  // namespace kx::test
