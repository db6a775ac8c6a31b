#include "platform/message_box.h"

#include "windows_support.h"

namespace kx::platform {

namespace {

// The control of a message box that holds its text.
constexpr int kMessageTextId = 0xFFFF;

// Each thread has its own listener, as each has its own hook.
struct Listener {
  WarningReceiver receiver = nullptr;
  void* context = nullptr;
  HHOOK hook = nullptr;
};

thread_local Listener currentListener;

bool IsMessageBox(HWND window) {
  wchar_t className[16] = {};
  return ::GetClassNameW(window, className, 16) > 0 && std::wstring(className) == L"#32770" &&
         ::GetDlgItem(window, kMessageTextId) != nullptr;
}

// Runs after each message a window of the thread has handled: once a message box has
// initialised its dialog, its title and text are final.
LRESULT CALLBACK AfterWindowMessage(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (message->message == WM_INITDIALOG && IsMessageBox(message->hwnd)) {
      const Listener listener = currentListener;
      if (listener.receiver != nullptr) {
        listener.receiver(win32::WindowText(message->hwnd),
                          win32::WindowText(::GetDlgItem(message->hwnd, kMessageTextId)),
                          listener.context);
        ::PostMessageW(message->hwnd, WM_COMMAND, IDOK, 0);
      }
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void ShowWarningBox(const std::u16string& title, const std::u16string& text) {
  ::MessageBoxW(nullptr, win32::Wide(text), win32::Wide(title),
                MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL);
}

void SetWarningReceiver(WarningReceiver receiver, void* context) {
  if (currentListener.hook != nullptr) ::UnhookWindowsHookEx(currentListener.hook);
  currentListener = Listener{receiver, context, nullptr};
  if (receiver != nullptr) {
    currentListener.hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &AfterWindowMessage,
                                               nullptr, ::GetCurrentThreadId());
  }
}

}  // namespace kx::platform
