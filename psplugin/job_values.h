// Values one job's injections share: set at one injection point, read at a later one.
#pragma once

#include <cstdint>

namespace kx::ps {

struct JobValues {
  // The custom page size after the printer's limits (tenths of a millimetre), and
  // whether the limits changed it.
  int32_t adjustedWidth = 0;
  int32_t adjustedLength = 0;
  bool adjusted = false;
  // The next page that gets the composite overlay.
  uint32_t nextCompositePage = 0;
};

}  // namespace kx::ps
