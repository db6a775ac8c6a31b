#include "color_profile.h"

#include <cstring>

#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::ui {

// The profile is only named here, never read or built.
host::HRESULT AnswerColorProfileQuery(host::ULONG queryMode, host::PVOID buffer,
                                      host::ULONG* size, host::FLONG* flags) {
  if (queryMode != host::QCP_DEVICEPROFILE || size == nullptr) return host::E_FAIL;
  if (buffer == nullptr || *size < kProfileNameSize) {
    *size = kProfileNameSize;
    platform::SetLastErrorCode(platform::kErrorInsufficientBuffer);
    return host::E_FAIL;
  }
  std::memcpy(buffer, kProfileName, sizeof(kProfileName));
  *size = kProfileNameSize;
  if (flags != nullptr) *flags = host::QCP_PROFILEDISK;
  return host::S_OK;
}

}  // namespace kx::ui
