// The plug-in's part in the host's printer-settings items (CommonUIProp, printer mode).
#pragma once

#include "host/oemui.h"

namespace kx::ui {

host::HRESULT BuildPrinterItems(host::OEMCUIPPARAM* param);

}  // namespace kx::ui
