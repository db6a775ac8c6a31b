// Defaults that come from the printer rather than from the code: its PPD path and the
// values its PPD gives.
#pragma once

#include <memory>
#include <string>

#include "platform/spooler.h"
#include "ppd/ppd.h"
#include "settings/record.h"

namespace kx::settings {

// The data file (PPD path) of the printer's driver, read with the size query first as
// the spooler requires. False when the printer has no driver information.
bool GetPrinterDataFile(platform::PrinterHandle printer, std::u16string* dataFile);

using PpdHandle = std::unique_ptr<const ppd::PpdImage, decltype(&ppd::PpdClose)>;

// The PPD image of the printer's driver; null when the printer has no driver information
// or its data file does not parse.
PpdHandle OpenPrinterPpd(platform::PrinterHandle printer);

// Completes the built-in defaults with what the printer's driver information gives.
void CompletePrinterDefaults(PrivateRecord* record, platform::PrinterHandle printer);

}  // namespace kx::settings
