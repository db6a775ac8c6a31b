#include "get_info.h"

#include <cstring>

#include "host/com.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "settings/record.h"

namespace kx::ui {
namespace {

constexpr host::DWORD kValueSize = sizeof(host::DWORD);

host::HRESULT Fail(uint32_t error) {
  platform::SetLastErrorCode(error);
  return host::E_FAIL;
}

}  // namespace

host::HRESULT AnswerGetInfo(host::DWORD mode, host::PVOID buffer, host::DWORD size,
                            host::PDWORD needed) {
  const bool known = mode == host::OEMGI_GETSIGNATURE || mode == host::OEMGI_GETVERSION ||
                     mode == host::OEMGI_GETPUBLISHERINFO;
  if (!known || needed == nullptr) return Fail(platform::kErrorInvalidParameter);
  *needed = kValueSize;
  if (buffer == nullptr || size < kValueSize) return Fail(platform::kErrorInsufficientBuffer);
  host::DWORD value = 0;
  switch (mode) {
    case host::OEMGI_GETSIGNATURE:
      value = settings::kRecordSignature;
      break;
    case host::OEMGI_GETVERSION:
      value = settings::kRecordVersion;
      break;
    default:
      // The UI plug-in gives no publisher information.
      *needed = 0;
      return Fail(platform::kErrorNotSupported);
  }
  std::memcpy(buffer, &value, kValueSize);
  return host::S_OK;
}

}  // namespace kx::ui
