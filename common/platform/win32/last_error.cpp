#include "platform/last_error.h"

#include "windows_support.h"

namespace kx::platform {

uint32_t GetLastErrorCode() { return ::GetLastError(); }

void SetLastErrorCode(uint32_t code) { ::SetLastError(code); }

}  // namespace kx::platform
