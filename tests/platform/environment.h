// Sets or clears an environment variable for the lifetime of the object.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kx::test {

class ScopedEnvironment {
 public:
  // A null value clears the variable.
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* previous = std::getenv(name)) previous_ = previous;
    Set(name, value);
  }
  ~ScopedEnvironment() { Set(name_.c_str(), previous_ ? previous_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  static void Set(const char* name, const char* value) {
#ifdef _WIN32
    // The C runtime of Windows has no setenv; _putenv_s also updates the process
    // environment that the system calls read. An empty value removes the variable there.
    _putenv_s(name, value != nullptr ? value : "");
#else
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
#endif
  }

  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace kx::test
