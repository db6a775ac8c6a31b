// Installing printers in the spooler store on systems where this project keeps the
// spooler itself. Tests and command-line tools use it to set up the printers that the
// plug-ins then reach through the spooler service; on Windows printers are installed by
// the system and this header is not built.
#pragma once

#include <string>

namespace kx::platform {

struct PrinterSetup {
  std::u16string name;
  std::u16string driverName = u"KX48T7 PS";
  std::u16string dataFile;  // the PPD path
  std::u16string portName;
};

// Creates or replaces the printer (its printer data is kept when it already exists).
bool InstallPrinter(const PrinterSetup& setup);
bool RemovePrinter(const std::u16string& name);

}  // namespace kx::platform
