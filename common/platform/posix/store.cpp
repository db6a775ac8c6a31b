#include "platform/store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

namespace kx::platform {

namespace {

const char* NonEmptyEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

std::string HomeDirectory() {
  if (const char* home = NonEmptyEnvironment("HOME")) return home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return ".";
}

// The scratch stores of this process, by the directory named when they were marked.
class ScratchStores {
 public:
  void Add(const std::string& directory) {
    std::lock_guard lock(mutex_);
    directories_.insert(directory);
  }
  bool Contains(const std::string& directory) const {
    std::lock_guard lock(mutex_);
    return directories_.count(directory) != 0;
  }

 private:
  mutable std::mutex mutex_;
  std::set<std::string> directories_;
};

ScratchStores& Scratch() {
  static ScratchStores* stores = new ScratchStores;  // outlives every caller
  return *stores;
}

}  // namespace

void MarkScratchStore(const std::string& directory) { Scratch().Add(directory); }

bool IsScratchStore(const std::string& directory) { return Scratch().Contains(directory); }

std::string StoreDirectory() {
  std::string directory;
  if (const char* store = NonEmptyEnvironment(kStoreEnvironmentVariable)) {
    directory = store;
  } else if (const char* dataHome = NonEmptyEnvironment("XDG_DATA_HOME");
             dataHome != nullptr && dataHome[0] == '/') {
    // The base directory rules ignore a relative XDG_DATA_HOME.
    directory = std::string(dataHome) + "/kx48t7";
  } else {
    directory = HomeDirectory() + "/.local/share/kx48t7";
  }
  // Failing to create it is reported by whoever opens a file inside it.
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  return directory;
}

}  // namespace kx::platform
