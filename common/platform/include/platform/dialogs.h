// The window and dialog services the plug-in's pages and dialogs use: dialogs made from
// in-memory templates, the messages their procedures receive, the control messages,
// message boxes, popup menus and the windows a host needs to play the property sheet.
//
// Every function means what the Win32 call of the same name means (arguments, results,
// messages sent as a consequence). On Windows they are user32 and comctl32 themselves. On
// other systems they are a headless implementation that behaves like the Windows controls
// on every point the pages rely on: sorted combo and list boxes (order as the system sorts,
// case ignored), item data kept across sorted insertion, searches that ignore case,
// selection rules, entry limits and digits-only edits for typed text, spin ranges with
// buddy text, check and radio state, enabled/visible/focus state, EN_KILLFOCUS and
// CBN_KILLFOCUS sent to the parent of the control that loses the focus, EndDialog results.
//
// Nobody answers a message box, a popup menu or a modal dialog on a system without a
// desktop; a test (or a host without a user) installs a responder for each. On Windows an
// installed responder answers instead of the user on the thread that installed it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/window.h"

namespace kx::platform {

using host::DLGPROC;
using host::HWND;
using host::INT_PTR;
using host::LPARAM;
using host::LRESULT;
using host::UINT;
using host::WNDPROC;
using host::WPARAM;

// Dialogs from in-memory templates (DLGTEMPLATEEX, see dialog_template.h). The procedure
// receives WM_INITDIALOG with `init` as lParam. The modal form returns EndDialog's result,
// or -1 when the dialog cannot be made.
INT_PTR DialogBoxIndirectParam(const void* dialogTemplate, HWND owner, DLGPROC procedure,
                               LPARAM init);
HWND CreateDialogIndirectParam(const void* dialogTemplate, HWND owner, DLGPROC procedure,
                               LPARAM init);
bool EndDialog(HWND dialog, INT_PTR result);
bool DestroyWindow(HWND window);
bool IsWindow(HWND window);

// A top-level window whose messages go to `procedure`: the stand-in for the property sheet
// that holds a host's pages (PSM_CHANGED and the other sheet messages reach it).
HWND CreateHostWindow(WNDPROC procedure, const std::u16string& title);
// A tooltip window (class tooltips_class32) with `style` (TTS_*), owned by `owner`.
HWND CreateTooltipWindow(HWND owner, host::DWORD style);

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND window);
HWND GetParent(HWND window);
// The child windows of `parent` in creation order (the controls of a dialog).
std::vector<HWND> ChildWindows(HWND parent);
std::u16string GetClassName(HWND window);
host::DWORD GetWindowStyle(HWND window);

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

bool SetWindowText(HWND window, const std::u16string& text);
std::u16string GetWindowText(HWND window);
bool SetDlgItemText(HWND dialog, int id, const std::u16string& text);
std::u16string GetDlgItemText(HWND dialog, int id);

// Returns whether the window was disabled before, as the Win32 call does.
bool EnableWindow(HWND window, bool enable);
bool IsWindowEnabled(HWND window);
// `command` is host::SW_SHOW or host::SW_HIDE; returns whether it was visible before.
bool ShowWindow(HWND window, int command);
bool IsWindowVisible(HWND window);
// Returns the window that had the focus.
HWND SetFocus(HWND window);
HWND GetFocus();

// host::DWLP_MSGRESULT (on dialogs) and host::GWLP_USERDATA.
host::LONG_PTR SetWindowLongPtr(HWND window, int index, host::LONG_PTR value);
host::LONG_PTR GetWindowLongPtr(HWND window, int index);

// Screen coordinates in pixels.
bool GetWindowRect(HWND window, host::RECT* rect);
bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint);
bool GetCursorPos(host::POINT* point);

// A message box; returns the button chosen (host::IDOK, IDCANCEL, IDYES, IDNO).
int MessageBox(HWND owner, const std::u16string& text, const std::u16string& caption,
               UINT type);

// A popup menu at (x, y) in screen coordinates, tracked with TPM_RETURNCMD: returns the
// command chosen, 0 when none. An item with command 0 is a separator.
struct MenuItem {
  UINT command = 0;
  std::u16string text;
};
UINT TrackPopupMenu(HWND owner, const std::vector<MenuItem>& items, int x, int y);

// Responders: who answers in place of a user. Null removes one. Without a responder the
// headless services answer a message box with its first button (IDOK, or IDYES for the
// yes/no kinds), a menu with 0, and end a modal dialog at once with IDCANCEL.
using MessageBoxResponder = int (*)(void* context, const std::u16string& text,
                                    const std::u16string& caption, UINT type);
void SetMessageBoxResponder(MessageBoxResponder responder, void* context);
using MenuResponder = UINT (*)(void* context, const std::vector<MenuItem>& items);
void SetMenuResponder(MenuResponder responder, void* context);
// Called once a modal dialog has been initialised (after WM_INITDIALOG); it drives the
// dialog like a user and ends it with EndDialog.
using ModalDialogResponder = void (*)(void* context, HWND dialog);
void SetModalDialogResponder(ModalDialogResponder responder, void* context);

}  // namespace kx::platform
