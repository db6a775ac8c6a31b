// Pages per sheet of the n-up settings.
#pragma once

#include <cstdint>

namespace kx::ps {

// nupCode 0 one, 1 two, 2 four, 3 six, 4 nine, 5 sixteen; any other code counts as one.
inline uint32_t PagesPerSheet(uint32_t nupCode) {
  constexpr uint32_t kPages[] = {1, 2, 4, 6, 9, 16};
  return nupCode < sizeof(kPages) / sizeof(kPages[0]) ? kPages[nupCode] : 1;
}

}  // namespace kx::ps
