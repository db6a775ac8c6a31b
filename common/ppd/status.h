// Status codes of the internal steps of a PPD load. The outward operations report only
// an image or null.
#pragma once

#include <cstdint>

namespace kx::ppd {

enum class Status : uint32_t {
  kOk = 0,      // the step succeeded
  kEof = 1,     // the end of the file was reached
  kSyntax = 3,  // the current entry is malformed or unusable; it is skipped
  kNoRoom = 4,  // memory ran out or a fixed token buffer is full; the load is abandoned
  // The file ends inside a quoted value: its opening quote swallowed every entry after
  // it, so the load fails rather than report an image that silently lacks them.
  kUnclosedQuote = 5,
};

}  // namespace kx::ppd
