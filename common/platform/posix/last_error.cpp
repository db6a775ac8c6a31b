#include "platform/last_error.h"

namespace kx::platform {

namespace {
thread_local uint32_t tLastError = 0;
}

uint32_t GetLastErrorCode() { return tLastError; }

void SetLastErrorCode(uint32_t code) { tLastError = code; }

}  // namespace kx::platform
