#include "window_on_screen.h"  // before <windows.h>: host/window.h has names it defines

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace kx::test {
namespace {

// The display driver sends what a window drew to the screen a moment after it drew it,
// while the thread waits for messages.
constexpr DWORD kDrawingTimeMs = 500;
constexpr DWORD kPollMs = 20;

void HandleMessagesFor(DWORD durationMs) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < durationMs) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
}

}  // namespace

void DrawOnScreen(host::HWND window) {
  auto* native = reinterpret_cast<::HWND>(window);
  ::ShowWindow(native, SW_SHOW);
  ::RedrawWindow(native, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HandleMessagesFor(kDrawingTimeMs);
}

std::string ScreenGeometry(host::HWND window) {
  RECT area{};
  if (!::GetWindowRect(reinterpret_cast<::HWND>(window), &area)) return {};
  return std::to_string(area.right - area.left) + "x" + std::to_string(area.bottom - area.top) +
         "+" + std::to_string(area.left) + "+" + std::to_string(area.top);
}

bool WaitForFile(const std::u16string& path, unsigned timeoutMs) {
  const auto* widePath = reinterpret_cast<const wchar_t*>(path.c_str());
  const DWORD start = ::GetTickCount();
  while (::GetFileAttributesW(widePath) == INVALID_FILE_ATTRIBUTES) {
    if (::GetTickCount() - start >= timeoutMs) return false;
    HandleMessagesFor(kPollMs * 5);
  }
  return true;
}

}  // namespace kx::test
