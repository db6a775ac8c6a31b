#include "platform/spooler.h"

#include <cstddef>

#include "platform/win32_errors.h"
#include "windows_support.h"

namespace kx::platform {

static_assert(sizeof(DRIVER_INFO_3W) == sizeof(DriverInfo3));
static_assert(offsetof(DRIVER_INFO_3W, cVersion) == offsetof(DriverInfo3, version));
static_assert(offsetof(DRIVER_INFO_3W, pName) == offsetof(DriverInfo3, name));
static_assert(offsetof(DRIVER_INFO_3W, pEnvironment) == offsetof(DriverInfo3, environment));
static_assert(offsetof(DRIVER_INFO_3W, pDriverPath) == offsetof(DriverInfo3, driverPath));
static_assert(offsetof(DRIVER_INFO_3W, pDataFile) == offsetof(DriverInfo3, dataFile));
static_assert(offsetof(DRIVER_INFO_3W, pConfigFile) == offsetof(DriverInfo3, configFile));
static_assert(offsetof(DRIVER_INFO_3W, pHelpFile) == offsetof(DriverInfo3, helpFile));
static_assert(offsetof(DRIVER_INFO_3W, pDependentFiles) ==
              offsetof(DriverInfo3, dependentFiles));
static_assert(offsetof(DRIVER_INFO_3W, pMonitorName) == offsetof(DriverInfo3, monitorName));
static_assert(offsetof(DRIVER_INFO_3W, pDefaultDataType) ==
              offsetof(DriverInfo3, defaultDataType));

static_assert(static_cast<DWORD>(PrinterAccess::kAll) == PRINTER_ALL_ACCESS);

bool OpenPrinter(const std::u16string& name, PrinterHandle* printer, PrinterAccess access) {
  if (printer == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  // An empty name would open the print server rather than a printer.
  if (name.empty()) {
    ::SetLastError(ERROR_INVALID_PRINTER_NAME);
    return false;
  }
  HANDLE handle = nullptr;
  // Without defaults the spooler opens for use only.
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, static_cast<ACCESS_MASK>(access)};
  PRINTER_DEFAULTSW* asked = access == PrinterAccess::kUse ? nullptr : &defaults;
  if (!::OpenPrinterW(win32::MutableWide(name), &handle, asked)) return false;
  *printer = handle;
  return true;
}

bool ClosePrinter(PrinterHandle printer) {
  if (printer == nullptr) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return ::ClosePrinter(printer) != FALSE;
}

bool GetPrinterDriver(PrinterHandle printer, uint32_t level, uint8_t* buffer, uint32_t size,
                      uint32_t* needed) {
  if (printer == nullptr) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  if (level != 3) {
    ::SetLastError(ERROR_INVALID_LEVEL);
    return false;
  }
  if (needed == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  DWORD required = 0;
  const BOOL ok = ::GetPrinterDriverW(printer, nullptr, level, buffer, size, &required);
  // The size is an answer only when the call succeeded or asked for more room; a refused
  // handle leaves it alone.
  if (ok || ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) *needed = required;
  return ok != FALSE;
}

uint32_t GetPrinterData(PrinterHandle printer, const std::u16string& valueName, uint32_t* type,
                        uint8_t* data, uint32_t size, uint32_t* needed) {
  if (printer == nullptr) return kErrorInvalidHandle;
  if (needed == nullptr) return kErrorInvalidParameter;
  DWORD valueType = 0;
  DWORD required = 0;
  const DWORD result = ::GetPrinterDataW(printer, win32::MutableWide(valueName), &valueType,
                                         data, size, &required);
  if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    if (type != nullptr) *type = valueType;
    *needed = required;
  }
  return result;
}

uint32_t SetPrinterData(PrinterHandle printer, const std::u16string& valueName, uint32_t type,
                        const uint8_t* data, uint32_t size) {
  if (printer == nullptr) return kErrorInvalidHandle;
  return ::SetPrinterDataW(printer, win32::MutableWide(valueName), type,
                           const_cast<uint8_t*>(data), size);
}

}  // namespace kx::platform
