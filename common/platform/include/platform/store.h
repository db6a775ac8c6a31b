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

}  // namespace kx::platform
