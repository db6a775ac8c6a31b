#include "support/temp_store.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/store.h"

namespace kx::test {

TempStore::TempStore() {
  const char* previous = std::getenv(platform::kStoreEnvironmentVariable);
  if (previous != nullptr) {
    hadPrevious_ = true;
    previous_ = previous;
  }
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("kx48t7-test-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      directory_ = candidate.string();
      break;
    }
  }
  setenv(platform::kStoreEnvironmentVariable, directory_.c_str(), 1);
}

TempStore::~TempStore() {
  if (hadPrevious_) {
    setenv(platform::kStoreEnvironmentVariable, previous_.c_str(), 1);
  } else {
    unsetenv(platform::kStoreEnvironmentVariable);
  }
  std::error_code error;
  std::filesystem::remove_all(directory_, error);
}

}  // namespace kx::test
