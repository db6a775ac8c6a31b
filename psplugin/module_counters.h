// The module-wide counts that decide whether the library may be unloaded.
#pragma once

#include "host/class_factory.h"

namespace kx::ps {

host::ServerCounts& Counters();

}  // namespace kx::ps
