// A printer installed in a temporary store, opened for the duration of a test.
#pragma once

#include <string>
#include <vector>

#include "platform/spooler.h"
#include "support/temp_store.h"

namespace kx::test {

class TestPrinter {
 public:
  explicit TestPrinter(std::u16string name = u"Test Printer", std::u16string dataFile = u"");
  ~TestPrinter();
  TestPrinter(const TestPrinter&) = delete;
  TestPrinter& operator=(const TestPrinter&) = delete;

  platform::PrinterHandle handle() const { return handle_; }
  // Stores the printer data value "DevOpts".
  void SetDevOpts(const std::vector<uint8_t>& bytes);

 private:
  TempStore store_;
  platform::PrinterHandle handle_ = nullptr;
};

}  // namespace kx::test
