#include "module_counters.h"

namespace kx::ps {

ModuleCounters& Counters() {
  static ModuleCounters counters;
  return counters;
}

}  // namespace kx::ps
