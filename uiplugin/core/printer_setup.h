// The plug-in's answer to the spooler's printer events (PrinterEvent): when a printer is
// set up, its device options are read or defaulted, completed from what the printer
// answers over SNMP, stored, and the host's stored installable-option choices are made to
// agree with them.
#pragma once

#include "host/oemui.h"

namespace kx::ui {

// Works for PRINTER_EVENT_INITIALIZE only, and only once the host has stored its
// installable-option choices for the printer. Always succeeds: an event the plug-in has no
// work for, or a printer it cannot open, is no failure.
host::HRESULT SetUpPrinter(host::PWSTR printerName, host::INT event, host::DWORD flags,
                           host::LPARAM lParam);

}  // namespace kx::ui
