// The printer the page host shows its sheets for, prepared as a user's printer would be
// after some use: installed in the spooler with the package's PPD as its driver's data
// file, its installed options stored (a colour printer with a disk), and the plug-in's
// stores holding a watermark, a colour set, colour profiles and a custom setting of the
// user's own. Removed again, stores and all, when the object goes.
#pragma once

#include <memory>
#include <string>

#include "platform/spooler.h"

namespace kx::hostsim {

class PreparedPrinter {
 public:
  // Null with *error set when the spooler refuses the driver or the printer.
  static std::unique_ptr<PreparedPrinter> Install(const std::u16string& name,
                                                  const std::u16string& ppdPath,
                                                  std::string* error);
  ~PreparedPrinter();
  PreparedPrinter(const PreparedPrinter&) = delete;
  PreparedPrinter& operator=(const PreparedPrinter&) = delete;

  const std::u16string& name() const { return name_; }
  platform::PrinterHandle handle() const { return handle_; }

 private:
  explicit PreparedPrinter(std::u16string name) : name_(std::move(name)) {}
  bool FillStores(std::string* error);

  std::u16string name_;
  platform::PrinterHandle handle_ = nullptr;
};

}  // namespace kx::hostsim
