// The window and dialog part of the platform that the plug-in's pages and dialogs use:
// handles, procedures, the structures that messages carry, and the message, notification,
// style and answer values. Laid out and numbered as on Windows, so that the same dialog
// procedures run over the system's own controls and over the headless ones.
#pragma once

#include <cstddef>

#include "host/types.h"

namespace kx::host {

struct WindowObject;            // opaque: a window of the system, or of the headless service
using HWND = WindowObject*;
using HINSTANCE = void*;
using HMENU = void*;

using DLGPROC = INT_PTR(KX_STDCALL*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
using WNDPROC = LRESULT(KX_STDCALL*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
static_assert(sizeof(RECT) == 16);

struct POINT {
  LONG x;
  LONG y;
};
static_assert(sizeof(POINT) == 8);

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
static_assert(offsetof(NMHDR, idFrom) == sizeof(void*));
static_assert(offsetof(NMHDR, code) == 2 * sizeof(void*));
static_assert(sizeof(NMHDR) == 3 * sizeof(void*));

// What PSN_* notifications carry (PSHNOTIFY).
struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
};
static_assert(sizeof(PSHNOTIFY) == 4 * sizeof(void*));

// What WM_HELP carries (HELPINFO).
struct HELPINFO {
  UINT cbSize;
  INT iContextType;  // HELPINFO_WINDOW or HELPINFO_MENUITEM
  INT iCtrlId;
  HANDLE hItemHandle;  // the window the request names
  ULONG_PTR dwContextId;
  POINT MousePos;
};
static_assert(offsetof(HELPINFO, hItemHandle) == 16);
static_assert(offsetof(HELPINFO, MousePos) == 32);
static_assert(sizeof(HELPINFO) == 40);

// A tooltip's tool (TOOLINFOW).
struct TOOLINFOW {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPWSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
static_assert(offsetof(TOOLINFOW, hwnd) == 8);
static_assert(offsetof(TOOLINFOW, rect) == 24);
static_assert(offsetof(TOOLINFOW, lpszText) == 48);
static_assert(sizeof(TOOLINFOW) == 72);

// What TTN_GETDISPINFOW carries (NMTTDISPINFOW).
struct NMTTDISPINFOW {
  NMHDR hdr;
  LPWSTR lpszText;
  WCHAR szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
static_assert(offsetof(NMTTDISPINFOW, lpszText) == 24);
static_assert(offsetof(NMTTDISPINFOW, hinst) == 192);
static_assert(sizeof(NMTTDISPINFOW) == 216);

inline constexpr WORD LoWord(uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
inline constexpr WORD HiWord(uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
inline constexpr WPARAM MakeWParam(WORD low, WORD high) {
  return static_cast<WPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
inline constexpr LPARAM MakeLParam(WORD low, WORD high) {
  return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}

// Window messages.
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// Button messages and notifications.
inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_CLICK = 0x00F5;
inline constexpr UINT BN_CLICKED = 0;
inline constexpr WPARAM BST_UNCHECKED = 0;
inline constexpr WPARAM BST_CHECKED = 1;

// Edit messages and notifications.
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT EN_SETFOCUS = 0x0100;
inline constexpr UINT EN_KILLFOCUS = 0x0200;
inline constexpr UINT EN_CHANGE = 0x0300;
inline constexpr UINT EN_UPDATE = 0x0400;
inline constexpr UINT EN_MAXTEXT = 0x0501;

// Combo box messages and notifications.
inline constexpr UINT CB_GETEDITSEL = 0x0140;
inline constexpr UINT CB_LIMITTEXT = 0x0141;
inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_FINDSTRING = 0x014C;
inline constexpr UINT CB_SELECTSTRING = 0x014D;
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr LRESULT CB_ERR = -1;
inline constexpr UINT CBN_SELCHANGE = 1;
inline constexpr UINT CBN_SETFOCUS = 3;
inline constexpr UINT CBN_KILLFOCUS = 4;
inline constexpr UINT CBN_EDITCHANGE = 5;
inline constexpr UINT CBN_DROPDOWN = 7;
inline constexpr UINT CBN_SELENDCANCEL = 10;

// List box messages and notifications.
inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_SELECTSTRING = 0x018C;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr UINT LB_GETITEMDATA = 0x0199;
inline constexpr UINT LB_SETITEMDATA = 0x019A;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
inline constexpr LRESULT LB_ERR = -1;
inline constexpr UINT LBN_SELCHANGE = 1;
inline constexpr UINT LBN_SETFOCUS = 4;
inline constexpr UINT LBN_KILLFOCUS = 5;

// Up-down (spin) control messages.
inline constexpr UINT UDM_SETRANGE = WM_USER + 101;
inline constexpr UINT UDM_GETRANGE = WM_USER + 102;
inline constexpr UINT UDM_SETPOS = WM_USER + 103;
inline constexpr UINT UDM_GETPOS = WM_USER + 104;
inline constexpr UINT UDM_SETBUDDY = WM_USER + 105;
inline constexpr UINT UDM_GETBUDDY = WM_USER + 106;

// Progress bar messages.
inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;

// Property sheet messages (to the sheet) and notifications (to the pages).
inline constexpr UINT PSM_CHANGED = WM_USER + 104;
inline constexpr UINT PSM_UNCHANGED = WM_USER + 109;
inline constexpr UINT PSN_FIRST = static_cast<UINT>(-200);
inline constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0;
inline constexpr UINT PSN_KILLACTIVE = PSN_FIRST - 1;
inline constexpr UINT PSN_APPLY = PSN_FIRST - 2;
inline constexpr UINT PSN_RESET = PSN_FIRST - 3;
inline constexpr UINT PSN_HELP = PSN_FIRST - 5;
inline constexpr LONG_PTR PSNRET_NOERROR = 0;
inline constexpr LONG_PTR PSNRET_INVALID = 1;

// Tooltip messages and notifications.
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
inline constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
inline constexpr UINT TTM_ADDTOOLW = WM_USER + 50;
inline constexpr UINT TTM_DELTOOLW = WM_USER + 51;
inline constexpr UINT TTM_GETTEXTW = WM_USER + 56;
inline constexpr UINT TTM_UPDATETIPTEXTW = WM_USER + 57;
inline constexpr UINT TTM_GETCURRENTTOOLW = WM_USER + 59;
inline constexpr UINT TTN_GETDISPINFOW = static_cast<UINT>(-530);
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;
inline LPWSTR const LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(static_cast<intptr_t>(-1));

// Window styles.
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;

// Dialog styles.
inline constexpr DWORD DS_SETFONT = 0x0040;
inline constexpr DWORD DS_MODALFRAME = 0x0080;
inline constexpr DWORD DS_CONTROL = 0x0400;
inline constexpr DWORD DS_CENTER = 0x0800;
inline constexpr DWORD DS_SHELLFONT = DS_SETFONT | 0x0008;

// Control styles.
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
inline constexpr DWORD BS_GROUPBOX = 0x0007;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_NUMBER = 0x2000;
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_NOPREFIX = 0x0080;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;
inline constexpr DWORD UDS_NOTHOUSANDS = 0x0080;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr DWORD TTS_BALLOON = 0x40;

// ShowWindow commands.
inline constexpr INT SW_HIDE = 0;
inline constexpr INT SW_SHOW = 5;

// SetWindowLongPtr indexes.
inline constexpr INT DWLP_MSGRESULT = 0;
inline constexpr INT GWLP_USERDATA = -21;

// Message box types and answers.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_YESNO = 0x0004;
inline constexpr UINT MB_ICONERROR = 0x0010;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONWARNING = 0x0030;
inline constexpr UINT MB_ICONINFORMATION = 0x0040;
inline constexpr INT IDOK = 1;
inline constexpr INT IDCANCEL = 2;
inline constexpr INT IDYES = 6;
inline constexpr INT IDNO = 7;

// Open-file dialog flags.
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
inline constexpr DWORD OFN_NONETWORKBUTTON = 0x00020000;

// Help request kinds (WM_HELP) and the commands of the help request.
inline constexpr INT HELPINFO_WINDOW = 1;
inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_CONTEXTMENU = 0x000A;
inline constexpr UINT HELP_WM_HELP = 0x000C;

}  // namespace kx::host
