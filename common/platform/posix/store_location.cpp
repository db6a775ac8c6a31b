#include <cstdlib>

#include "platform/store.h"

namespace kx::platform {

void UseStoreDirectory(const std::string& directory) {
  setenv(kStoreEnvironmentVariable, directory.c_str(), 1);
}

}  // namespace kx::platform
