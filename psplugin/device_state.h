// What the plug-in keeps for one device instance of the host; reached from the device
// object, never shared between instances.
#pragma once

#include <array>

#include "hook_table.h"
#include "host/oemcore.h"
#include "job_values.h"
#include "printer_ppd.h"

namespace kx::ps {

struct DeviceState {
  // For each hook table row, the host's own function for that index (null when the host
  // has none), so a hook can pass the call on.
  std::array<host::PFN, kHookCount> hostFunctions{};
  // The printer's PPD image for the life of the device instance; null when none opened.
  SharedPpd ppd;
  // Reset at the start of each job's stream.
  JobValues job;
};

// Null when the host handed no state for this plug-in.
DeviceState* StateOf(const host::DEVOBJ* devobj);

// Picks the host's function for every hooked index out of the host's table.
void TakeHostFunctions(const host::DRVENABLEDATA* hostTable, DeviceState* state);

}  // namespace kx::ps
