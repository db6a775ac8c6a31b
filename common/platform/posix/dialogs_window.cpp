// The window table, the message dispatch and the window tree of the headless services.
#include <algorithm>

#include "dialogs_internal.h"
#include "platform/dialogs.h"

namespace kx::platform {
namespace detail {

WindowSystem& System() {
  // Never destroyed: a window closed while the process exits still finds the table.
  static WindowSystem* const system = new WindowSystem;
  return *system;
}

HWND Live(HWND window) {
  if (window == nullptr) return nullptr;
  return System().windows.count(window) != 0 ? window : nullptr;
}

HWND MakeWindow(WindowKind kind, std::u16string className, DWORD style, HWND parent,
                HWND owner) {
  auto* window = new host::WindowObject;
  window->kind = kind;
  window->className = std::move(className);
  window->style = style;
  window->parent = parent;
  window->owner = owner;
  System().windows.insert(window);
  if (parent != nullptr) parent->children.push_back(window);
  return window;
}

namespace {

// The messages whose dialog-procedure result is the message's result itself rather than
// DWLP_MSGRESULT (the ones the system defines so; the pages use only WM_INITDIALOG).
bool ResultIsProcedureValue(UINT message) { return message == host::WM_INITDIALOG; }

LRESULT DialogDispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (dialog->dialogProcedure == nullptr) {
    return DefaultProcedure(dialog, message, wParam, lParam);
  }
  dialog->messageResult = 0;
  const host::INT_PTR handled = dialog->dialogProcedure(dialog, message, wParam, lParam);
  if (ResultIsProcedureValue(message)) return handled;
  if (handled != 0) return Live(dialog) != nullptr ? dialog->messageResult : 0;
  if (Live(dialog) == nullptr) return 0;
  return DefaultProcedure(dialog, message, wParam, lParam);
}

LRESULT HostDispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = window->windowProcedure != nullptr
                             ? window->windowProcedure(window, message, wParam, lParam)
                             : 0;
  // A host procedure has no default procedure to call here: its title is kept for it.
  switch (message) {
    case host::WM_SETTEXT:
    case host::WM_GETTEXT:
    case host::WM_GETTEXTLENGTH:
      return Live(window) != nullptr ? DefaultProcedure(window, message, wParam, lParam) : 0;
    default:
      return result;
  }
}

LRESULT ClassDispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (window->kind) {
    case WindowKind::Dialog:
      return DialogDispatch(window, message, wParam, lParam);
    case WindowKind::Host:
      return HostDispatch(window, message, wParam, lParam);
    case WindowKind::Button:
      return ButtonProcedure(window, message, wParam, lParam);
    case WindowKind::Edit:
      return EditProcedure(window, message, wParam, lParam);
    case WindowKind::ListBox:
    case WindowKind::ComboBox:
      return ListProcedure(window, message, wParam, lParam);
    case WindowKind::UpDown:
      return UpDownProcedure(window, message, wParam, lParam);
    case WindowKind::Progress:
      return ProgressProcedure(window, message, wParam, lParam);
    case WindowKind::Tooltip:
      return TooltipProcedure(window, message, wParam, lParam);
    case WindowKind::Static:
      break;
  }
  return DefaultProcedure(window, message, wParam, lParam);
}

void FreeGraveyard() {
  WindowSystem& system = System();
  std::vector<HWND> dead;
  dead.swap(system.graveyard);
  for (HWND window : dead) delete window;
}

}  // namespace

DispatchScope::DispatchScope() { ++System().dispatchDepth; }

DispatchScope::~DispatchScope() {
  WindowSystem& system = System();
  if (--system.dispatchDepth == 0 && !system.graveyard.empty()) FreeGraveyard();
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Live(window) == nullptr) return 0;
  DispatchScope scope;
  return ClassDispatch(window, message, wParam, lParam);
}

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case host::WM_SETTEXT:
      window->text = TextIn(lParam);
      return 1;
    case host::WM_GETTEXT:
      return CopyTextOut(window->text, wParam, lParam);
    case host::WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->text.size());
    default:
      return 0;
  }
}

void NotifyParent(HWND control, UINT code) {
  HWND parent = control->parent;
  if (Live(parent) == nullptr) return;
  Dispatch(parent, host::WM_COMMAND,
           host::MakeWParam(static_cast<host::WORD>(control->id), static_cast<host::WORD>(code)),
           reinterpret_cast<LPARAM>(control));
}

LRESULT CopyTextOut(const std::u16string& text, WPARAM capacity, LPARAM buffer) {
  auto* out = reinterpret_cast<char16_t*>(buffer);
  if (out == nullptr || capacity == 0) return 0;
  const size_t count = std::min<size_t>(text.size(), capacity - 1);
  std::copy_n(text.data(), count, out);
  out[count] = u'\0';
  return static_cast<LRESULT>(count);
}

std::u16string TextIn(LPARAM text) {
  const auto* in = reinterpret_cast<const char16_t*>(text);
  return in != nullptr ? std::u16string(in) : std::u16string();
}

namespace {

bool IsInside(HWND window, HWND ancestor) {
  for (HWND at = window; at != nullptr; at = at->parent) {
    if (at == ancestor) return true;
  }
  return false;
}

void Destroy(HWND window) {
  WindowSystem& system = System();
  window->destroying = true;
  // Windows owned by this one (tooltips, owned dialogs) go first, as on Windows.
  std::vector<HWND> owned;
  for (HWND other : system.windows) {
    if (other->owner == window && !other->destroying) owned.push_back(other);
  }
  for (HWND other : owned) {
    if (Live(other) != nullptr && !other->destroying) Destroy(other);
  }
  if (system.focus != nullptr && IsInside(system.focus, window)) system.focus = nullptr;
  Dispatch(window, host::WM_DESTROY, 0, 0);
  const std::vector<HWND> children = window->children;
  for (HWND child : children) {
    if (Live(child) != nullptr && !child->destroying) Destroy(child);
  }
  if (Live(window->parent) != nullptr) {
    auto& siblings = window->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  }
  system.windows.erase(window);
  system.graveyard.push_back(window);
}

}  // namespace

}  // namespace detail

using detail::Live;
using detail::Lock;
using detail::System;

bool DestroyWindow(HWND window) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr || window->destroying) return false;
  detail::DispatchScope scope;
  detail::Destroy(window);
  return true;
}

bool IsWindow(HWND window) {
  Lock lock(System().mutex);
  return Live(window) != nullptr;
}

HWND GetDlgItem(HWND dialog, int id) {
  Lock lock(System().mutex);
  if (Live(dialog) == nullptr) return nullptr;
  for (HWND child : dialog->children) {
    if (child->id == id) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND window) {
  Lock lock(System().mutex);
  return Live(window) != nullptr && window->parent != nullptr ? window->id : 0;
}

HWND GetParent(HWND window) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return nullptr;
  // As on Windows: the parent of a child window, the owner of a top-level one.
  return window->parent != nullptr ? window->parent : window->owner;
}

std::vector<HWND> ChildWindows(HWND parent) {
  Lock lock(System().mutex);
  if (Live(parent) == nullptr) return {};
  return parent->children;
}

std::u16string GetClassName(HWND window) {
  Lock lock(System().mutex);
  return Live(window) != nullptr ? window->className : std::u16string();
}

host::DWORD GetWindowStyle(HWND window) {
  Lock lock(System().mutex);
  return Live(window) != nullptr ? window->style : 0;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Lock lock(System().mutex);
  return detail::Dispatch(window, message, wParam, lParam);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  Lock lock(System().mutex);
  return detail::Dispatch(GetDlgItem(dialog, id), message, wParam, lParam);
}

bool SetWindowText(HWND window, const std::u16string& text) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return false;
  return detail::Dispatch(window, host::WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) >
         0;
}

std::u16string GetWindowText(HWND window) {
  Lock lock(System().mutex);
  if (Live(window) == nullptr) return {};
  const LRESULT length = detail::Dispatch(window, host::WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const LRESULT copied = detail::Dispatch(window, host::WM_GETTEXT, text.size(),
                                          reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

bool SetDlgItemText(HWND dialog, int id, const std::u16string& text) {
  Lock lock(System().mutex);
  return SetWindowText(GetDlgItem(dialog, id), text);
}

std::u16string GetDlgItemText(HWND dialog, int id) {
  Lock lock(System().mutex);
  return GetWindowText(GetDlgItem(dialog, id));
}

}  // namespace kx::platform
