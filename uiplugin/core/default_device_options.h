// The device options block a printer has before anything was stored for it.
#pragma once

#include "ppd/ppd.h"
#include "settings/record.h"

namespace kx::ui {

// Fills the whole block with the defaults; `ppd` (may be null) gives the installed flags.
void DefaultDeviceOptions(settings::DeviceOptions* options, const ppd::PpdImage* ppd);

}  // namespace kx::ui
