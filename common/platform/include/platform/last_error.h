// The calling thread's last-error value, as the Win32 interfaces keep it.
#pragma once

#include <cstdint>

namespace kx::platform {

uint32_t GetLastErrorCode();
void SetLastErrorCode(uint32_t code);

}  // namespace kx::platform
