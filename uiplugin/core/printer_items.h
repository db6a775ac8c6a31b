// The plug-in's part in the host's printer-settings items (CommonUIProp, printer mode): the
// host's installable-option items are hidden, since the device settings page shows and
// edits the installed options instead.
#pragma once

#include "host/oemui.h"

namespace kx::ui {

// Hides the host's items of the installable options the plug-in knows and installs
// PrinterItemsCallback. Returns S_OK.
host::HRESULT BuildPrinterItems(host::OEMCUIPPARAM* param);

// APPLYNOW: result CPSUI_OK, ITEMS_APPLIED; SETACTIVE: OPTIF_CHANGED; else NONE.
host::LONG KX_STDCALL PrinterItemsCallback(host::CPSUICBPARAM* callback,
                                           host::OEMCUIPPARAM* param);

}  // namespace kx::ui
