// The print spooler: printers by name, their driver information and their printer data,
// with the meaning (results, last error, Win32 codes) of the winspool calls.
#pragma once

#include <cstdint>
#include <string>

namespace kx::platform {

using PrinterHandle = void*;

// Same layout as DRIVER_INFO_3W; the strings point into the caller's buffer.
struct DriverInfo3 {
  uint32_t version;
  char16_t* name;
  char16_t* environment;
  char16_t* driverPath;
  char16_t* dataFile;
  char16_t* configFile;
  char16_t* helpFile;
  char16_t* dependentFiles;
  char16_t* monitorName;
  char16_t* defaultDataType;
};

// What a printer is opened for: using it (reading its data), or everything, changing its
// printer data included (PRINTER_ALL_ACCESS, which Windows requires of SetPrinterDataW).
// The POSIX spooler has no access control and opens for everything either way.
enum class PrinterAccess : uint32_t { kUse = 0, kAll = 0xF000C };

// OpenPrinterW: false with last error 1801 when no printer has that name.
bool OpenPrinter(const std::u16string& name, PrinterHandle* printer,
                 PrinterAccess access = PrinterAccess::kUse);
bool ClosePrinter(PrinterHandle printer);

// A printer open for as long as the object lives; the handle is null when it could not be
// opened (the last error says why).
class OpenedPrinter {
 public:
  explicit OpenedPrinter(const std::u16string& name, PrinterAccess access = PrinterAccess::kUse) {
    if (!OpenPrinter(name, &handle_, access)) handle_ = nullptr;
  }
  ~OpenedPrinter() {
    if (handle_ != nullptr) ClosePrinter(handle_);
  }
  OpenedPrinter(const OpenedPrinter&) = delete;
  OpenedPrinter& operator=(const OpenedPrinter&) = delete;

  PrinterHandle handle() const { return handle_; }

 private:
  PrinterHandle handle_ = nullptr;
};

// GetPrinterDriverW for the current environment at `level` (only 3 is supported):
// false with last error 122 and *needed set when `size` is too small.
bool GetPrinterDriver(PrinterHandle printer, uint32_t level, uint8_t* buffer, uint32_t size,
                      uint32_t* needed);

// GetPrinterDataW: returns kErrorSuccess, kErrorFileNotFound (no such value),
// kErrorMoreData (buffer too small, *needed set) or kErrorInvalidHandle.
uint32_t GetPrinterData(PrinterHandle printer, const std::u16string& valueName, uint32_t* type,
                        uint8_t* data, uint32_t size, uint32_t* needed);
// SetPrinterDataW.
uint32_t SetPrinterData(PrinterHandle printer, const std::u16string& valueName, uint32_t type,
                        const uint8_t* data, uint32_t size);

}  // namespace kx::platform
