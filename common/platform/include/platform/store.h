// Where the registry and spooler keep their data on systems without them. The location
// comes from the environment variable KX48T7_STORE (a directory holding one SQLite file
// per hive); without it, $XDG_DATA_HOME/kx48t7 or ~/.local/share/kx48t7.
#pragma once

#include <string>

namespace kx::platform {

inline constexpr const char* kStoreEnvironmentVariable = "KX48T7_STORE";

std::string StoreDirectory();

// Points this process (and the processes it starts) at another store directory.
void UseStoreDirectory(const std::string& directory);

// Marks a directory of this process as a scratch store: one that lives no longer than the
// process (a job's own printer), so nothing written there needs to survive a crash and it
// is written without waiting for the disk. Stores that keep a user's or an administrator's
// settings are never scratch.
void MarkScratchStore(const std::string& directory);
bool IsScratchStore(const std::string& directory);

}  // namespace kx::platform
