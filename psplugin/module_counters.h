// The module-wide counts that decide whether the library may be unloaded.
#pragma once

#include <atomic>
#include <cstdint>

namespace kx::ps {

struct ModuleCounters {
  std::atomic<int32_t> liveObjects{0};
  std::atomic<int32_t> serverLocks{0};

  bool Idle() const { return liveObjects.load() == 0 && serverLocks.load() == 0; }
};

ModuleCounters& Counters();

}  // namespace kx::ps
