// A registry and spooler store in a fresh temporary directory for the lifetime of the
// object, so that tests never touch the user's own store.
#pragma once

#include <string>

namespace kx::test {

class TempStore {
 public:
  TempStore();
  ~TempStore();
  TempStore(const TempStore&) = delete;
  TempStore& operator=(const TempStore&) = delete;

  const std::string& directory() const { return directory_; }

 private:
  std::string directory_;
  std::string previous_;
  bool hadPrevious_ = false;
};

}  // namespace kx::test
