// The dialog services over user32 and comctl32: each function is the system call of the
// same name, with the layer's handles and UTF-16 text. What the system cannot do without a
// user (answer a message box, a popup menu or a modal dialog) goes to the thread's
// responders when a test or a host without a user has installed them.
#include "platform/dialogs.h"  // before windows_support.h: see there

#include <mutex>
#include <utility>

#include "windows_support.h"

#include <commctrl.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kx::platform {

namespace {

// The module these services are linked into: the owner of its dialogs and its classes.
HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

::HWND Native(HWND window) { return reinterpret_cast<::HWND>(window); }
HWND Layer(::HWND window) { return reinterpret_cast<HWND>(window); }

const DLGTEMPLATE* Template(const void* dialogTemplate) {
  return static_cast<const DLGTEMPLATE*>(dialogTemplate);
}

// The common controls the templates name (up-down, progress) and the tooltips, registered
// once per process.
void InitCommonControlsOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    const INITCOMMONCONTROLSEX controls{
        .dwSize = sizeof(INITCOMMONCONTROLSEX),
        .dwICC = ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES,
    };
    ::InitCommonControlsEx(&controls);
  });
}

struct Responders {
  MessageBoxResponder messageBox = nullptr;
  void* messageBoxContext = nullptr;
  MenuResponder menu = nullptr;
  void* menuContext = nullptr;
  ModalDialogResponder modal = nullptr;
  void* modalContext = nullptr;
};
thread_local Responders responders;

// A modal dialog answered by the responder: the dialog's own procedure and initialisation
// value, and who answers.
struct ModalCall {
  DLGPROC procedure;
  LPARAM init;
  ModalDialogResponder responder;
  void* context;
};
// The call whose dialog is being created on this thread: its first message claims it.
thread_local ModalCall* pendingModalCall = nullptr;
constexpr wchar_t kModalCallProperty[] = L"KX48T7.ModalCall";

// Posted to a modal dialog once it is initialised: its modal loop then runs the responder.
UINT RespondMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"KX48T7.RespondToModalDialog");
  return message;
}

INT_PTR CALLBACK ModalProcedure(::HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* call = static_cast<ModalCall*>(::GetPropW(dialog, kModalCallProperty));
  if (call == nullptr && pendingModalCall != nullptr) {
    call = std::exchange(pendingModalCall, nullptr);
    ::SetPropW(dialog, kModalCallProperty, call);
  }
  if (call == nullptr) return FALSE;
  if (message == RespondMessage()) {
    call->responder(call->context, Layer(dialog));
    return TRUE;
  }
  if (message == WM_INITDIALOG) lParam = call->init;
  const INT_PTR result = call->procedure(Layer(dialog), message, wParam, lParam);
  if (message == WM_INITDIALOG) ::PostMessageW(dialog, RespondMessage(), 0, 0);
  if (message == WM_NCDESTROY) ::RemovePropW(dialog, kModalCallProperty);
  return result;
}

// The class of the host windows; its procedure is replaced by each window's own.
constexpr wchar_t kHostWindowClass[] = L"KX48T7HostWindow";

void RegisterHostWindowClassOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.lpfnWndProc = &::DefWindowProcW;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kHostWindowClass;
    ::RegisterClassExW(&windowClass);
  });
}

}  // namespace

INT_PTR DialogBoxIndirectParam(const void* dialogTemplate, HWND owner, DLGPROC procedure,
                               LPARAM init) {
  InitCommonControlsOnce();
  const Responders current = responders;
  if (current.modal == nullptr) {
    return ::DialogBoxIndirectParamW(ThisModule(), Template(dialogTemplate), Native(owner),
                                     reinterpret_cast<::DLGPROC>(procedure), init);
  }
  ModalCall call{procedure, init, current.modal, current.modalContext};
  pendingModalCall = &call;
  const INT_PTR result = ::DialogBoxIndirectParamW(ThisModule(), Template(dialogTemplate),
                                                   Native(owner), &ModalProcedure, 0);
  pendingModalCall = nullptr;  // unclaimed when the dialog could not be made
  return result;
}

HWND CreateDialogIndirectParam(const void* dialogTemplate, HWND owner, DLGPROC procedure,
                               LPARAM init) {
  InitCommonControlsOnce();
  return Layer(::CreateDialogIndirectParamW(ThisModule(), Template(dialogTemplate),
                                            Native(owner),
                                            reinterpret_cast<::DLGPROC>(procedure), init));
}

bool EndDialog(HWND dialog, INT_PTR result) { return ::EndDialog(Native(dialog), result) != 0; }
bool DestroyWindow(HWND window) { return ::DestroyWindow(Native(window)) != 0; }
bool IsWindow(HWND window) { return ::IsWindow(Native(window)) != 0; }

HWND CreateHostWindow(WNDPROC procedure, const std::u16string& title) {
  RegisterHostWindowClassOnce();
  ::HWND window = ::CreateWindowExW(0, kHostWindowClass, win32::Wide(title),
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                    nullptr, ThisModule(), nullptr);
  if (window == nullptr) return nullptr;
  // From here on every message goes to the caller's procedure, without a default one.
  ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  return Layer(window);
}

HWND CreateTooltipWindow(HWND owner, host::DWORD style) {
  InitCommonControlsOnce();
  return Layer(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 Native(owner), nullptr, ThisModule(), nullptr));
}

HWND GetDlgItem(HWND dialog, int id) { return Layer(::GetDlgItem(Native(dialog), id)); }
int GetDlgCtrlID(HWND window) { return ::GetDlgCtrlID(Native(window)); }
HWND GetParent(HWND window) { return Layer(::GetParent(Native(window))); }

std::vector<HWND> ChildWindows(HWND parent) {
  // The direct children, first created first (a dialog's controls in template order).
  std::vector<HWND> children;
  if (!::IsWindow(Native(parent))) return children;
  for (::HWND child = ::GetWindow(Native(parent), GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(Layer(child));
  }
  return children;
}

std::u16string GetClassName(HWND window) {
  char16_t name[256] = {};
  const int length = ::GetClassNameW(Native(window), win32::Wide(name), 256);
  return std::u16string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

host::DWORD GetWindowStyle(HWND window) {
  return static_cast<host::DWORD>(::GetWindowLongW(Native(window), GWL_STYLE));
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(Native(window), message, wParam, lParam);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendDlgItemMessageW(Native(dialog), id, message, wParam, lParam);
}

bool SetWindowText(HWND window, const std::u16string& text) {
  return ::SetWindowTextW(Native(window), win32::Wide(text)) != 0;
}

std::u16string GetWindowText(HWND window) { return win32::WindowText(Native(window)); }

bool SetDlgItemText(HWND dialog, int id, const std::u16string& text) {
  return ::SetDlgItemTextW(Native(dialog), id, win32::Wide(text)) != 0;
}

std::u16string GetDlgItemText(HWND dialog, int id) {
  return win32::WindowText(::GetDlgItem(Native(dialog), id));
}

bool EnableWindow(HWND window, bool enable) {
  return ::EnableWindow(Native(window), enable ? TRUE : FALSE) != 0;
}
bool IsWindowEnabled(HWND window) { return ::IsWindowEnabled(Native(window)) != 0; }
bool ShowWindow(HWND window, int command) { return ::ShowWindow(Native(window), command) != 0; }
bool IsWindowVisible(HWND window) { return ::IsWindowVisible(Native(window)) != 0; }
HWND SetFocus(HWND window) { return Layer(::SetFocus(Native(window))); }
HWND GetFocus() { return Layer(::GetFocus()); }

host::LONG_PTR SetWindowLongPtr(HWND window, int index, host::LONG_PTR value) {
  return ::SetWindowLongPtrW(Native(window), index, value);
}
host::LONG_PTR GetWindowLongPtr(HWND window, int index) {
  return ::GetWindowLongPtrW(Native(window), index);
}

bool GetWindowRect(HWND window, host::RECT* rect) {
  return ::GetWindowRect(Native(window), reinterpret_cast<::RECT*>(rect)) != 0;
}
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint) {
  return ::MoveWindow(Native(window), x, y, width, height, repaint ? TRUE : FALSE) != 0;
}
bool GetCursorPos(host::POINT* point) {
  return ::GetCursorPos(reinterpret_cast<::POINT*>(point)) != 0;
}

int MessageBox(HWND owner, const std::u16string& text, const std::u16string& caption,
               UINT type) {
  const Responders current = responders;
  if (current.messageBox != nullptr) {
    return current.messageBox(current.messageBoxContext, text, caption, type);
  }
  return ::MessageBoxW(Native(owner), win32::Wide(text), win32::Wide(caption), type);
}

UINT TrackPopupMenu(HWND owner, const std::vector<MenuItem>& items, int x, int y) {
  const Responders current = responders;
  if (current.menu != nullptr) return current.menu(current.menuContext, items);
  HMENU menu = ::CreatePopupMenu();
  if (menu == nullptr) return 0;
  for (const MenuItem& item : items) {
    if (item.command == 0) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      ::AppendMenuW(menu, MF_STRING, item.command, win32::Wide(item.text));
    }
  }
  const BOOL chosen = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
                                       Native(owner), nullptr);
  ::DestroyMenu(menu);
  return static_cast<UINT>(chosen);
}

void SetMessageBoxResponder(MessageBoxResponder responder, void* context) {
  responders.messageBox = responder;
  responders.messageBoxContext = context;
}

void SetMenuResponder(MenuResponder responder, void* context) {
  responders.menu = responder;
  responders.menuContext = context;
}

void SetModalDialogResponder(ModalDialogResponder responder, void* context) {
  responders.modal = responder;
  responders.modalContext = context;
}

}  // namespace kx::platform
