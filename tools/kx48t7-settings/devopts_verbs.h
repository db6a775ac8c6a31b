// The printer's device options (the printer data "DevOpts"): installed options,
// accounting fields, SNMP community and printer address.
#pragma once

#include <ostream>

#include "command_line.h"
#include "outcome.h"

namespace kx::settings_tool {

Outcome RunDevOptsVerb(const Command& command, std::ostream& out);

}  // namespace kx::settings_tool
