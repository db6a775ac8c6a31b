#include "platform/shell.h"

#include "windows_support.h"

#include <shellapi.h>

namespace kx::platform {

namespace {

struct Receiver {
  PageReceiver receiver = nullptr;
  void* context = nullptr;
};
thread_local Receiver currentReceiver;

// ShellExecuteW answers with a number of 32 or less when it fails: most are Win32 error
// codes; the two that are not have codes of their own.
DWORD ErrorOfShellResult(INT_PTR result) {
  switch (result) {
    case 0:
      return ERROR_OUTOFMEMORY;
    case SE_ERR_NOASSOC:
      return ERROR_NO_ASSOCIATION;
    default:
      return static_cast<DWORD>(result);
  }
}

}  // namespace

bool OpenPage(const std::u16string& page) {
  const Receiver receiver = currentReceiver;
  if (receiver.receiver != nullptr) return receiver.receiver(receiver.context, page);
  const INT_PTR result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", win32::Wide(page), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  ::SetLastError(ErrorOfShellResult(result));
  return false;
}

void SetPageReceiver(PageReceiver receiver, void* context) {
  currentReceiver = Receiver{receiver, context};
}

}  // namespace kx::platform
