// The host ABI as the system's own headers declare it: the plug-ins' structures, base types
// and named values must be what user32, comctl32 and the common property-sheet UI pass
// and expect, or the plug-in misreads every message and item it is given on Windows. The
// checks are at compile time; the one test below makes the program show up in the suite.
//
// <windows.h> defines the Windows names as macros, and the host headers declare the same
// names as constants and types. So the host's values and types are copied under names of
// their own before the system headers come in.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <cstddef>
#include <type_traits>

#include "host/compstui.h"
#include "host/window.h"

namespace host_copy {

// Every named value of host/window.h and host/compstui.h (the list is made by the build).
#define KX_HOST_CONSTANT(name) inline constexpr auto host_##name = kx::host::name;
#include "host_constants.inc"
#undef KX_HOST_CONSTANT

inline constexpr size_t kCheckedConstants = 0
#define KX_HOST_CONSTANT(name) +1
#include "host_constants.inc"
#undef KX_HOST_CONSTANT
    ;

inline const auto host_LPSTR_TEXTCALLBACKW = kx::host::LPSTR_TEXTCALLBACKW;

// The structures, base types and handles compared with the system's.
#define KX_HOST_TYPES(X)                                                                    \
  X(OPTITEM) X(OPTTYPE) X(OPTPARAM) X(EXTCHKBOX) X(EXTPUSH) X(PROPSHEETUI_INFO)             \
  X(PROPSHEETUI_INFO_HEADER) X(SETRESULT_INFO) X(CPSUICBPARAM) X(PROPSHEETPAGEW) X(NMHDR)   \
  X(PSHNOTIFY) X(HELPINFO) X(TOOLINFOW) X(NMTTDISPINFOW) X(RECT) X(POINT) X(BYTE) X(WORD)   \
  X(DWORD) X(ULONG) X(LONG) X(SHORT) X(USHORT) X(BOOL) X(WCHAR) X(HANDLE) X(HRESULT)        \
  X(UINT) X(INT) X(UINT_PTR) X(ULONG_PTR) X(LONG_PTR) X(INT_PTR) X(WPARAM) X(LPARAM)        \
  X(LRESULT) X(HWND) X(HINSTANCE) X(HMENU) X(DLGPROC) X(WNDPROC)
#define KX_COPY_TYPE(name) using Host_##name = kx::host::name;
KX_HOST_TYPES(KX_COPY_TYPE)
#undef KX_COPY_TYPE

}  // namespace host_copy

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <compstui.h>

#include <gtest/gtest.h>

namespace {

using namespace host_copy;

// Equal both ways, each value converted to the other's type: a value that one side cannot
// hold does not pass.
template <typename Host, typename System>
constexpr bool SameValue(Host host, System system) {
  return static_cast<Host>(system) == host && static_cast<System>(host) == system;
}

#define KX_HOST_CONSTANT(name) \
  static_assert(SameValue(host_##name, (name)), #name " differs from the system's value");
#include "host_constants.inc"
#undef KX_HOST_CONSTANT

// Base types: the same width and the same signedness.
template <typename Host, typename System>
constexpr bool SameInteger() {
  return sizeof(Host) == sizeof(System) && std::is_signed_v<Host> == std::is_signed_v<System>;
}
#define KX_SAME_INTEGER(name) \
  static_assert(SameInteger<Host_##name, ::name>(), #name " is not the system's integer type");
KX_SAME_INTEGER(BYTE)
KX_SAME_INTEGER(WORD)
KX_SAME_INTEGER(DWORD)
KX_SAME_INTEGER(ULONG)
KX_SAME_INTEGER(LONG)
KX_SAME_INTEGER(SHORT)
KX_SAME_INTEGER(USHORT)
KX_SAME_INTEGER(BOOL)
KX_SAME_INTEGER(WCHAR)
KX_SAME_INTEGER(HRESULT)
KX_SAME_INTEGER(UINT)
KX_SAME_INTEGER(INT)
KX_SAME_INTEGER(UINT_PTR)
KX_SAME_INTEGER(ULONG_PTR)
KX_SAME_INTEGER(LONG_PTR)
KX_SAME_INTEGER(INT_PTR)
KX_SAME_INTEGER(WPARAM)
KX_SAME_INTEGER(LPARAM)
KX_SAME_INTEGER(LRESULT)
#undef KX_SAME_INTEGER

#define KX_SAME_SIZE(name) \
  static_assert(sizeof(Host_##name) == sizeof(::name), #name " has another size");
KX_SAME_SIZE(HANDLE)
KX_SAME_SIZE(HWND)
KX_SAME_SIZE(HINSTANCE)
KX_SAME_SIZE(HMENU)
KX_SAME_SIZE(DLGPROC)
KX_SAME_SIZE(WNDPROC)
#undef KX_SAME_SIZE

// Structures: the same size, and every field of the host's at the system's offset.
#define KX_SAME_STRUCT(host, system) \
  static_assert(sizeof(Host_##host) == sizeof(system), #host " has another size");
#define KX_SAME_FIELD(host, system, field)                                 \
  static_assert(offsetof(Host_##host, field) == offsetof(system, field), \
                #host "." #field " is at another offset");

KX_SAME_STRUCT(RECT, ::RECT)
KX_SAME_FIELD(RECT, ::RECT, left)
KX_SAME_FIELD(RECT, ::RECT, top)
KX_SAME_FIELD(RECT, ::RECT, right)
KX_SAME_FIELD(RECT, ::RECT, bottom)

KX_SAME_STRUCT(POINT, ::POINT)
KX_SAME_FIELD(POINT, ::POINT, x)
KX_SAME_FIELD(POINT, ::POINT, y)

KX_SAME_STRUCT(NMHDR, ::NMHDR)
KX_SAME_FIELD(NMHDR, ::NMHDR, hwndFrom)
KX_SAME_FIELD(NMHDR, ::NMHDR, idFrom)
KX_SAME_FIELD(NMHDR, ::NMHDR, code)

KX_SAME_STRUCT(PSHNOTIFY, ::PSHNOTIFY)
KX_SAME_FIELD(PSHNOTIFY, ::PSHNOTIFY, hdr)
KX_SAME_FIELD(PSHNOTIFY, ::PSHNOTIFY, lParam)

KX_SAME_STRUCT(HELPINFO, ::HELPINFO)
KX_SAME_FIELD(HELPINFO, ::HELPINFO, cbSize)
KX_SAME_FIELD(HELPINFO, ::HELPINFO, iContextType)
KX_SAME_FIELD(HELPINFO, ::HELPINFO, iCtrlId)
KX_SAME_FIELD(HELPINFO, ::HELPINFO, hItemHandle)
KX_SAME_FIELD(HELPINFO, ::HELPINFO, dwContextId)
KX_SAME_FIELD(HELPINFO, ::HELPINFO, MousePos)

KX_SAME_STRUCT(TOOLINFOW, ::TOOLINFOW)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, cbSize)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, uFlags)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, hwnd)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, uId)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, rect)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, hinst)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, lpszText)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, lParam)
KX_SAME_FIELD(TOOLINFOW, ::TOOLINFOW, lpReserved)

KX_SAME_STRUCT(NMTTDISPINFOW, ::NMTTDISPINFOW)
KX_SAME_FIELD(NMTTDISPINFOW, ::NMTTDISPINFOW, hdr)
KX_SAME_FIELD(NMTTDISPINFOW, ::NMTTDISPINFOW, lpszText)
KX_SAME_FIELD(NMTTDISPINFOW, ::NMTTDISPINFOW, szText)
KX_SAME_FIELD(NMTTDISPINFOW, ::NMTTDISPINFOW, hinst)
KX_SAME_FIELD(NMTTDISPINFOW, ::NMTTDISPINFOW, uFlags)
KX_SAME_FIELD(NMTTDISPINFOW, ::NMTTDISPINFOW, lParam)

// The host's page description is the second version of the structure (what the sheet
// reads when dwSize says so).
KX_SAME_STRUCT(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, dwSize)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, dwFlags)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, hInstance)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pszTemplate)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pResource)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, hIcon)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pszIcon)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pszTitle)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pfnDlgProc)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, lParam)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pfnCallback)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pcRefParent)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pszHeaderTitle)
KX_SAME_FIELD(PROPSHEETPAGEW, ::PROPSHEETPAGEW_V2, pszHeaderSubTitle)

KX_SAME_STRUCT(OPTPARAM, ::OPTPARAM)
KX_SAME_FIELD(OPTPARAM, ::OPTPARAM, cbSize)
KX_SAME_FIELD(OPTPARAM, ::OPTPARAM, Flags)
KX_SAME_FIELD(OPTPARAM, ::OPTPARAM, Style)
KX_SAME_FIELD(OPTPARAM, ::OPTPARAM, pData)
KX_SAME_FIELD(OPTPARAM, ::OPTPARAM, IconID)
KX_SAME_FIELD(OPTPARAM, ::OPTPARAM, lParam)
KX_SAME_FIELD(OPTPARAM, ::OPTPARAM, dwReserved)

KX_SAME_STRUCT(OPTTYPE, ::OPTTYPE)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, cbSize)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, Type)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, Flags)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, Count)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, BegCtrlID)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, pOptParam)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, Style)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, wReserved)
KX_SAME_FIELD(OPTTYPE, ::OPTTYPE, dwReserved)

KX_SAME_STRUCT(EXTPUSH, ::EXTPUSH)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, cbSize)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, Flags)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, pTitle)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, DlgProc)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, pfnCallBack)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, IconID)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, DlgTemplateID)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, hDlgTemplate)
KX_SAME_FIELD(EXTPUSH, ::EXTPUSH, dwReserved)

KX_SAME_STRUCT(EXTCHKBOX, ::EXTCHKBOX)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, cbSize)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, Flags)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, pTitle)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, pSeparator)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, pCheckedName)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, IconID)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, wReserved)
KX_SAME_FIELD(EXTCHKBOX, ::EXTCHKBOX, dwReserved)

KX_SAME_STRUCT(OPTITEM, ::OPTITEM)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, cbSize)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, Level)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, DlgPageIdx)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, Flags)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, UserData)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, pName)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, Sel)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, pSel)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, pExtChkBox)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, pExtPush)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, pOptType)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, HelpIndex)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, DMPubID)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, UserItemID)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, wReserved)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, pOIExt)
KX_SAME_FIELD(OPTITEM, ::OPTITEM, dwReserved)

KX_SAME_STRUCT(CPSUICBPARAM, ::CPSUICBPARAM)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, cbSize)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, Reason)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, hDlg)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, pOptItem)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, cOptItem)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, Flags)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, pCurItem)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, OldSel)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, pOldSel)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, UserData)
KX_SAME_FIELD(CPSUICBPARAM, ::CPSUICBPARAM, Result)

KX_SAME_STRUCT(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, cbSize)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, Version)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, Flags)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, Reason)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, hComPropSheet)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, pfnComPropSheet)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, lParamInit)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, UserData)
KX_SAME_FIELD(PROPSHEETUI_INFO, ::PROPSHEETUI_INFO, Result)

KX_SAME_STRUCT(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER)
KX_SAME_FIELD(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER, cbSize)
KX_SAME_FIELD(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER, Flags)
KX_SAME_FIELD(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER, pTitle)
KX_SAME_FIELD(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER, hWndParent)
KX_SAME_FIELD(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER, hInst)
KX_SAME_FIELD(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER, hIcon)
KX_SAME_FIELD(PROPSHEETUI_INFO_HEADER, ::PROPSHEETUI_INFO_HEADER, IconID)

KX_SAME_STRUCT(SETRESULT_INFO, ::SETRESULT_INFO)
KX_SAME_FIELD(SETRESULT_INFO, ::SETRESULT_INFO, cbSize)
KX_SAME_FIELD(SETRESULT_INFO, ::SETRESULT_INFO, wReserved)
KX_SAME_FIELD(SETRESULT_INFO, ::SETRESULT_INFO, hSetResult)
KX_SAME_FIELD(SETRESULT_INFO, ::SETRESULT_INFO, Result)

#undef KX_SAME_FIELD
#undef KX_SAME_STRUCT

TEST(HostAbiTest, ValuesThatAreNotConstantsAreTheSystems) {
  // The marker a tooltip's text pointer holds when the text is asked for on demand.
  EXPECT_EQ(reinterpret_cast<const void*>(host_LPSTR_TEXTCALLBACKW),
            reinterpret_cast<const void*>(LPSTR_TEXTCALLBACKW));
}

TEST(HostAbiTest, TheBuildFoundTheNamedValues) {
  // The list of names comes from a pattern over the host headers: were it to match nothing
  // after a change of their style, the checks above would check no value at all.
  EXPECT_GE(kCheckedConstants, 100u);
}

}  // namespace
