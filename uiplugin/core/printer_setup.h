// The plug-in's answer to the spooler's printer events (PrinterEvent).
#pragma once

#include "host/oemui.h"

namespace kx::ui {

// Always succeeds: an event the plug-in has no work for is no failure.
host::HRESULT SetUpPrinter(host::PWSTR printerName, host::INT event, host::DWORD flags,
                           host::LPARAM lParam);

}  // namespace kx::ui
