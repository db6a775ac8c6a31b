#include "module_counters.h"

namespace kx::ps {

host::ServerCounts& Counters() {
  static host::ServerCounts counters;
  return counters;
}

}  // namespace kx::ps
