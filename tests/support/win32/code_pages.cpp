#include "support/code_pages.h"

#include <cstdlib>

#include "platform/codepage.h"

namespace kx::test {

struct SystemCodePages::Environment {};

namespace {

constexpr unsigned long kDefaultCodePage = 949;

unsigned long Wanted(const char* codePage) {
  return codePage != nullptr ? std::strtoul(codePage, nullptr, 10) : kDefaultCodePage;
}

}  // namespace

SystemCodePages::SystemCodePages(const char* ansi, const char* oem)
    : active_(platform::AnsiCodePage() == Wanted(ansi) &&
              platform::OemCodePage() == Wanted(oem)) {}

SystemCodePages::~SystemCodePages() = default;

}  // namespace kx::test
