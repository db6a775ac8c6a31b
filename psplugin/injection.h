// What the plug-in writes at each injection point of the PostScript stream.
#pragma once

#include "host/oemps.h"

namespace kx::ps {

// Runs the steps of one injection point. False (with the last error set) only when the
// call lacks what every injection needs: the host interface, the device object or the
// job's settings record.
bool DispatchInjection(host::IPrintOemDriverPS* hostInterface, host::DEVOBJ* devobj,
                       host::DWORD index);

}  // namespace kx::ps
