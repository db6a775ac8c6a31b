// The verbs every store group has: list, show, add, edit, delete, export and import.
#pragma once

#include <ostream>

#include "command_line.h"
#include "group.h"
#include "outcome.h"

namespace kx::settings_tool {

Outcome RunStoreVerb(Group& group, const Command& command, std::ostream& out);

}  // namespace kx::settings_tool
