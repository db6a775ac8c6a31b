// Hands one complete entry to the handler of its keyword.
#pragma once

#include "ppd/entry.h"
#include "ppd/parse_state.h"
#include "ppd/status.h"

namespace kx::ppd {

// kOk for stored or ignored entries, kSyntax for entries to drop, kNoRoom to abandon.
Status Dispatch(Parser& parser, const PpdEntry& entry);

}  // namespace kx::ppd
