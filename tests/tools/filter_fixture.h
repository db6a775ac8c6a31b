// A printer of the store set up as an administrator and a user leave it for the print
// filter: installed with the sample PPD, with device options of its own (an accounting
// user name), a watermark and custom document settings in the user's libraries.
#pragma once

#include <string>
#include <vector>

#include "support/test_printer.h"

namespace kx::test {

inline constexpr char kQueue[] = "Office";
inline constexpr char kStoredWatermark[] = "Draft Plan";
inline constexpr char kStoredWatermarkText[] = "PLAN-DRAFT-ONLY";
inline constexpr char kPrinterUser[] = "accounts";
inline constexpr char kUsableSetting[] = "Negative";
inline constexpr char kUnusableSetting[] = "Damaged";

class FilterPrinter {
 public:
  FilterPrinter();
  const std::string& store() const { return printer_.directory(); }
  // A two-page DSC document in the store's directory.
  std::string WriteDocument() const;

 private:
  TestPrinter printer_;
};

}  // namespace kx::test
