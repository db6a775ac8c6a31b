// The printer whose stores the tool works on: it must be installed in the spooler, since
// the stores are the printer's and its defaults come from its driver.
#pragma once

#include <string>

#include "outcome.h"
#include "settings/record.h"

namespace kx::settings_tool {

// kExitNoPrinter when no printer of that name is installed.
Outcome CheckPrinter(const std::u16string& printer);

// printer install --ppd FILE and printer remove: the printer's entry in the spooler store.
// A PPD that does not load as one is a usage error; installing again replaces the PPD and
// keeps the printer's data and stores.
struct Command;
Outcome RunPrinterVerb(const Command& command);

// The record a new job on the printer starts from: the built-in defaults, then what the
// printer's driver information gives.
settings::PrivateRecord DefaultRecord(const std::u16string& printer);

}  // namespace kx::settings_tool
