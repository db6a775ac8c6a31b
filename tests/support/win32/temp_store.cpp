#include "support/temp_store.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace kx::test {

TempStore::TempStore() {
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
}

TempStore::~TempStore() {
  std::error_code error;
  std::filesystem::remove_all(directory_, error);
}

}  // namespace kx::test
