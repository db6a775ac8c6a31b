#include "settings/devmode_request.h"

#include "host/com.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"

namespace kx::settings {
namespace {

// The host hands buffers of the size it was told; one that is smaller is left alone
// rather than written past its end.
PrivateRecord* OutputRecord(const host::OEMDMPARAM& param) {
  if (param.pOEMDMOut == nullptr || param.cbBufSize < kRecordSize) return nullptr;
  return static_cast<PrivateRecord*>(param.pOEMDMOut);
}

const PrivateRecord* InputRecord(const host::OEMDMPARAM& param) {
  return static_cast<const PrivateRecord*>(param.pOEMDMIn);
}

}  // namespace

host::HRESULT AnswerDevModeRequest(host::DWORD mode, host::OEMDMPARAM* param) {
  if (param == nullptr) {
    platform::SetLastErrorCode(platform::kErrorInvalidParameter);
    return host::E_FAIL;
  }
  switch (mode) {
    case host::OEMDM_SIZE:
      param->cbBufSize = kRecordSize;
      return host::S_OK;
    case host::OEMDM_DEFAULT:
      SetRecordDefaults(OutputRecord(*param), param->hPrinter);
      return host::S_OK;
    case host::OEMDM_CONVERT:
      MergeRecord(InputRecord(*param), OutputRecord(*param), param->hPrinter);
      return host::S_OK;
    case host::OEMDM_MERGE: {
      PrivateRecord* output = OutputRecord(*param);
      MergeRecord(InputRecord(*param), output, param->hPrinter);
      ValidateRecord(output);
      return host::S_OK;
    }
    default:
      platform::SetLastErrorCode(platform::kErrorInvalidParameter);
      return host::E_FAIL;
  }
}

}  // namespace kx::settings
