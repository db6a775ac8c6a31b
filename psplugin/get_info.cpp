#include "get_info.h"

#include <cstring>

#include "host/com.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "settings/record.h"

namespace kx::ps {
namespace {

constexpr host::DWORD kValueSize = sizeof(host::DWORD);
constexpr host::DWORD kPublisherInfoSize = 8;

host::HRESULT AnswerValue(host::DWORD value, host::PVOID buffer, host::DWORD size,
                          host::PDWORD needed) {
  *needed = kValueSize;
  if (buffer == nullptr || size < kValueSize) {
    platform::SetLastErrorCode(platform::kErrorInsufficientBuffer);
    return host::E_FAIL;
  }
  std::memcpy(buffer, &value, kValueSize);
  return host::S_OK;
}

}  // namespace

host::HRESULT AnswerGetInfo(host::DWORD mode, host::PVOID buffer, host::DWORD size,
                            host::PDWORD needed) {
  if (needed == nullptr) {
    platform::SetLastErrorCode(platform::kErrorInvalidParameter);
    return host::E_FAIL;
  }
  switch (mode) {
    case host::OEMGI_GETSIGNATURE:
      return AnswerValue(settings::kRecordSignature, buffer, size, needed);
    case host::OEMGI_GETVERSION:
      return AnswerValue(settings::kRecordVersion, buffer, size, needed);
    case host::OEMGI_GETPUBLISHERINFO:
      // The size is told, but no publisher information is given.
      *needed = kPublisherInfoSize;
      return host::E_FAIL;
    default:
      platform::SetLastErrorCode(platform::kErrorInvalidParameter);
      return host::E_FAIL;
  }
}

}  // namespace kx::ps
