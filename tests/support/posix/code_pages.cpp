#include "support/code_pages.h"

#include "platform/environment.h"

namespace kx::test {

struct SystemCodePages::Environment {
  ScopedEnvironment ansi;
  ScopedEnvironment oem;
};

SystemCodePages::SystemCodePages(const char* ansi, const char* oem)
    : environment_(new Environment{{"KX48T7_ACP", ansi}, {"KX48T7_OEMCP", oem}}),
      active_(true) {}

SystemCodePages::~SystemCodePages() = default;

}  // namespace kx::test
