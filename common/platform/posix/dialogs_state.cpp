// Enabled, visible and focus state, window values and geometry of the headless windows.
#include "dialogs_internal.h"
#include "platform/dialogs.h"

namespace kx::platform {

using detail::Dispatch;
using detail::Live;
using detail::Lock;
using detail::System;

namespace {

bool IsSameOrAncestor(HWND ancestor, HWND window) {
  for (HWND at = window; at != nullptr; at = at->parent) {
    if (at == ancestor) return true;
  }
  return false;
}

}  // namespace

bool EnableWindow(HWND window, bool enable) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return false;
  const bool wasDisabled = (window->style & host::WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    window->style &= ~host::WS_DISABLED;
    Dispatch(window, host::WM_ENABLE, 1, 0);
  } else if (!enable && !wasDisabled) {
    window->style |= host::WS_DISABLED;
    // A disabled window cannot keep the focus.
    if (System().focus == window) SetFocus(nullptr);
    Dispatch(window, host::WM_ENABLE, 0, 0);
  }
  return wasDisabled;
}

bool IsWindowEnabled(HWND window) {
  Lock lock(System().mutex);
  return Live(window) != nullptr && (window->style & host::WS_DISABLED) == 0;
}

bool ShowWindow(HWND window, int command) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return false;
  const bool wasVisible = (window->style & host::WS_VISIBLE) != 0;
  const bool show = command != host::SW_HIDE;
  if (show == wasVisible) return wasVisible;
  if (show) {
    window->style |= host::WS_VISIBLE;
  } else {
    window->style &= ~host::WS_VISIBLE;
    // Hiding the focus (or a window that holds it) passes the focus to the parent.
    if (System().focus != nullptr && IsSameOrAncestor(window, System().focus)) {
      SetFocus(window->parent);
    }
  }
  if (Live(window) != nullptr) Dispatch(window, host::WM_SHOWWINDOW, show ? 1 : 0, 0);
  return wasVisible;
}

bool IsWindowVisible(HWND window) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return false;
  for (HWND at = window; at != nullptr; at = at->parent) {
    if ((at->style & host::WS_VISIBLE) == 0) return false;
  }
  return true;
}

HWND SetFocus(HWND window) {
  Lock lock(System().mutex);
  detail::WindowSystem& system = System();
  if (window != nullptr && Live(window) == nullptr) return nullptr;
  HWND previous = system.focus;
  if (previous == window) return previous;
  system.focus = window;
  if (Live(previous) != nullptr) {
    Dispatch(previous, host::WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    // The loser's notification handler may have moved the focus elsewhere.
    if (system.focus != window) return previous;
  }
  if (Live(window) != nullptr) {
    Dispatch(window, host::WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  }
  return previous;
}

HWND GetFocus() {
  Lock lock(System().mutex);
  return Live(System().focus);
}

host::LONG_PTR SetWindowLongPtr(HWND window, int index, host::LONG_PTR value) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return 0;
  host::LONG_PTR previous = 0;
  if (index == host::GWLP_USERDATA) {
    previous = window->userData;
    window->userData = value;
  } else if (index == host::DWLP_MSGRESULT && window->kind == detail::WindowKind::Dialog) {
    previous = window->messageResult;
    window->messageResult = value;
  }
  return previous;
}

host::LONG_PTR GetWindowLongPtr(HWND window, int index) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return 0;
  if (index == host::GWLP_USERDATA) return window->userData;
  if (index == host::DWLP_MSGRESULT && window->kind == detail::WindowKind::Dialog) {
    return window->messageResult;
  }
  return 0;
}

bool GetWindowRect(HWND window, host::RECT* rect) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr || rect == nullptr) return false;
  host::RECT screen = window->rect;
  for (HWND at = window->parent; at != nullptr; at = at->parent) {
    screen.left += at->rect.left;
    screen.right += at->rect.left;
    screen.top += at->rect.top;
    screen.bottom += at->rect.top;
  }
  *rect = screen;
  return true;
}

bool MoveWindow(HWND window, int x, int y, int width, int height, bool /*repaint*/) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return false;
  window->rect = host::RECT{.left = x, .top = y, .right = x + width, .bottom = y + height};
  Dispatch(window, host::WM_MOVE, 0,
           host::MakeLParam(static_cast<host::WORD>(x), static_cast<host::WORD>(y)));
  return true;
}

bool GetCursorPos(host::POINT* point) {
  Lock lock(System().mutex);
  if (point == nullptr) return false;
  *point = System().cursor;
  return true;
}

}  // namespace kx::platform
