// A printer installed for the duration of a test and opened: in a temporary store on
// POSIX systems, in the system's own spooler on Windows (removed again at the end).
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
  // Points the printer's driver at another PPD file (empty: none).
  void SetPpd(const std::string& path);
  // A directory that lives as long as the printer, for the test's files.
  const std::string& directory() const { return store_.directory(); }

 private:
  TempStore store_;
  std::u16string name_;
  platform::PrinterHandle handle_ = nullptr;
};

}  // namespace kx::test
