#include "support/test_printer.h"

#include <gtest/gtest.h>

#include "platform/printer_setup.h"
#include "platform/text.h"

namespace kx::test {

TestPrinter::TestPrinter(std::u16string name, std::u16string dataFile) : name_(name) {
  platform::PrinterSetup setup;
  setup.name = name;
  setup.dataFile = std::move(dataFile);
  setup.portName = u"FILE:";
  EXPECT_TRUE(platform::InstallPrinter(setup));
  EXPECT_TRUE(platform::OpenPrinter(name, &handle_));
}

TestPrinter::~TestPrinter() {
  if (handle_ != nullptr) platform::ClosePrinter(handle_);
}

void TestPrinter::SetDevOpts(const std::vector<uint8_t>& bytes) {
  ASSERT_EQ(platform::SetPrinterData(handle_, u"DevOpts", 3, bytes.data(),
                                     static_cast<uint32_t>(bytes.size())),
            0u);
}

void TestPrinter::SetPpd(const std::string& path) {
  platform::PrinterSetup setup;
  setup.name = name_;
  setup.dataFile = platform::Utf8ToUtf16(path);
  setup.portName = u"FILE:";
  EXPECT_TRUE(platform::InstallPrinter(setup));
}

}  // namespace kx::test
