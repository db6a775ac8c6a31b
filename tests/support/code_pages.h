// The system's ANSI and OEM code pages that a test case is written for.
//
// On POSIX systems the platform layer takes them from KX48T7_ACP and KX48T7_OEMCP, so a
// case sets them for its own lifetime and always runs. On Windows they are the system's
// own, fixed when the process starts (Wine takes them from the locale it is started in,
// and the Windows tests run once per locale), so a case runs only where they are the
// ones it asks for.
#pragma once

#include <memory>

namespace kx::test {

class SystemCodePages {
 public:
  // Null asks for the default of the plug-ins' home system, 949.
  SystemCodePages(const char* ansi, const char* oem);
  ~SystemCodePages();
  SystemCodePages(const SystemCodePages&) = delete;
  SystemCodePages& operator=(const SystemCodePages&) = delete;

  // Whether the plug-ins see the code pages asked for while this object lives.
  bool active() const { return active_; }

 private:
  struct Environment;
  std::unique_ptr<Environment> environment_;
  bool active_ = false;
};

}  // namespace kx::test
