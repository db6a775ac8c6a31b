// A fresh temporary directory for the lifetime of the object. On POSIX systems the
// registry and spooler store live in it, so that tests never touch the user's own store;
// on Windows the registry and spooler are the system's own (the tests run in a Wine prefix
// made for the run) and the directory holds the test's files only.
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
