#include "settings/printer_defaults.h"

#include <vector>

#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "settings/record_text.h"

namespace kx::settings {

bool GetPrinterDataFile(platform::PrinterHandle printer, std::u16string* dataFile) {
  constexpr uint32_t kLevel = 3;
  uint32_t needed = 0;
  if (platform::GetPrinterDriver(printer, kLevel, nullptr, 0, &needed) ||
      platform::GetLastErrorCode() != platform::kErrorInsufficientBuffer ||
      needed < sizeof(platform::DriverInfo3)) {
    return false;
  }
  std::vector<uint8_t> buffer(needed, 0);
  if (!platform::GetPrinterDriver(printer, kLevel, buffer.data(), needed, &needed)) {
    return false;
  }
  const auto* info = reinterpret_cast<const platform::DriverInfo3*>(buffer.data());
  dataFile->assign(info->dataFile != nullptr ? info->dataFile : u"");
  return true;
}

void CompletePrinterDefaults(PrivateRecord* record, platform::PrinterHandle printer) {
  std::u16string dataFile;
  const bool known = GetPrinterDataFile(printer, &dataFile);
  if (known) StoreText(record->ppdFileName, dataFile);
  // The PPD's own defaults (quality, toner saving, disk, timeout, error page and
  // single-user mode) are read here once the PPD library can open the file; until then
  // the built-in defaults stand and the printer counts as having no hard disk.
  record->devOpts.installedOptions[kHasHardDisk] = 0;
}

}  // namespace kx::settings
