// The graphics functions the plug-in hooks, handed to the host by EnableDriver, and the
// one hook that does something: the start of a document.
#pragma once

#include <array>

#include "host/ddi.h"

namespace kx::ps {

inline constexpr size_t kHookCount = 27;

// The function indexes in the order of the table.
extern const std::array<host::ULONG, kHookCount> kHookedIndexes;

// The table itself: rows in the order above; only the start of the document carries a
// function.
host::DRVFN* HookTable();

// Position of the start-of-document row, and so of the host's own function for it
// among the per-device host functions.
inline constexpr size_t kStartDocSlot = 16;

}  // namespace kx::ps
