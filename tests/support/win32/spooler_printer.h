// Printers for the Windows build's tests, installed in the system's own spooler as a
// printer installer does: the driver's files through AddPrinterDriverExW, the printer
// through AddPrinterW. The tests run under Wine, whose PostScript driver (wineps.drv)
// stands in for the host PostScript driver as the driver and its configuration DLL.
#pragma once

#include <string>

namespace kx::test::win32 {

// What a test printer's driver is installed with.
struct DriverSetup {
  std::u16string name;
  std::u16string dataFile;  // the PPD to copy into the driver directory
  std::u16string dependentFiles;  // more files to copy there, as a NUL-separated list
};

// Copies the driver's files into the spooler's driver directory and installs the driver
// (level 3, the current environment). False with *error set when the spooler refuses.
bool InstallDriver(const DriverSetup& setup, std::string* error);

// Points the installed driver's data file at `path` (none when empty), as the spooler
// keeps it: in the driver's key under the print environments, which Wine's spooler reads
// on every GetPrinterDriverW. A full path there (with backslashes) is reported as it
// stands, so tests can change and remove the PPD between calls as they do on other
// systems.
bool SetDriverDataFile(const std::u16string& driverName, const std::u16string& path,
                       std::string* error);

// Installs the printer (port FILE:, print processor winprint, data type RAW) with the
// given driver, replacing a printer of that name together with its printer data.
bool InstallPrinter(const std::u16string& name, const std::u16string& driverName,
                std::string* error);

// Deletes the printer and its printer data; true when it is gone (or was never there).
bool RemovePrinter(const std::u16string& name);

// The spooler's driver directory for the current environment.
std::u16string DriverDirectory();

}  // namespace kx::test::win32
