// The system's common property-sheet UI as the host driver and its UI plug-ins share it:
// the settings items (OPTITEM with its types and parameters), the callback block, the
// sheet information of the sheet slots and the property page description that the
// add-page callback takes.
#pragma once

#include <cstddef>

#include "host/window.h"

namespace kx::host {

struct OPTPARAM {
  WORD cbSize;
  BYTE Flags;
  BYTE Style;
  LPWSTR pData;
  ULONG_PTR IconID;
  LPARAM lParam;
  ULONG_PTR dwReserved[2];
};
static_assert(offsetof(OPTPARAM, pData) == sizeof(void*));
static_assert(offsetof(OPTPARAM, lParam) == 3 * sizeof(void*));
static_assert(sizeof(OPTPARAM) == 6 * sizeof(void*));

struct OPTTYPE {
  WORD cbSize;
  BYTE Type;
  BYTE Flags;
  WORD Count;
  WORD BegCtrlID;
  OPTPARAM* pOptParam;
  WORD Style;
  WORD wReserved[3];
  ULONG_PTR dwReserved[3];
};
static_assert(offsetof(OPTTYPE, Count) == 4);
static_assert(offsetof(OPTTYPE, pOptParam) == 8);
static_assert(offsetof(OPTTYPE, Style) == 16);
static_assert(sizeof(OPTTYPE) == 48);

struct EXTPUSH {
  WORD cbSize;
  WORD Flags;
  LPWSTR pTitle;
  union {
    DLGPROC DlgProc;
    void* pfnCallBack;
  };
  ULONG_PTR IconID;
  union {
    WORD DlgTemplateID;
    HANDLE hDlgTemplate;
  };
  ULONG_PTR dwReserved[3];
};
static_assert(offsetof(EXTPUSH, pTitle) == 8);
static_assert(offsetof(EXTPUSH, DlgTemplateID) == 32);
static_assert(sizeof(EXTPUSH) == 64);

struct EXTCHKBOX {
  WORD cbSize;
  WORD Flags;
  LPWSTR pTitle;
  LPWSTR pSeparator;
  LPWSTR pCheckedName;
  ULONG_PTR IconID;
  WORD wReserved[4];
  ULONG_PTR dwReserved[2];
};
static_assert(offsetof(EXTCHKBOX, pCheckedName) == 24);
static_assert(sizeof(EXTCHKBOX) == 64);

struct OPTITEM {
  WORD cbSize;
  BYTE Level;
  BYTE DlgPageIdx;
  DWORD Flags;
  ULONG_PTR UserData;
  LPWSTR pName;
  union {
    LONG Sel;
    LPWSTR pSel;
  };
  union {
    EXTCHKBOX* pExtChkBox;
    EXTPUSH* pExtPush;
  };
  OPTTYPE* pOptType;
  DWORD HelpIndex;
  BYTE DMPubID;
  BYTE UserItemID;
  WORD wReserved;
  void* pOIExt;
  ULONG_PTR dwReserved[3];
};
static_assert(offsetof(OPTITEM, Flags) == 4);
static_assert(offsetof(OPTITEM, pName) == 16);
static_assert(offsetof(OPTITEM, Sel) == 24);
static_assert(offsetof(OPTITEM, pOptType) == 40);
static_assert(offsetof(OPTITEM, HelpIndex) == 48);
static_assert(offsetof(OPTITEM, DMPubID) == 52);
static_assert(offsetof(OPTITEM, pOIExt) == 56);
static_assert(sizeof(OPTITEM) == 88);

struct CPSUICBPARAM {
  WORD cbSize;
  WORD Reason;
  HWND hDlg;
  OPTITEM* pOptItem;
  WORD cOptItem;
  WORD Flags;
  OPTITEM* pCurItem;
  union {
    LONG OldSel;
    LPWSTR pOldSel;
  };
  ULONG_PTR UserData;
  ULONG_PTR Result;
};
static_assert(offsetof(CPSUICBPARAM, hDlg) == 8);
static_assert(offsetof(CPSUICBPARAM, cOptItem) == 24);
static_assert(offsetof(CPSUICBPARAM, pCurItem) == 32);
static_assert(offsetof(CPSUICBPARAM, Result) == 56);
static_assert(sizeof(CPSUICBPARAM) == 64);

// The host's common property-sheet service function (pfnComPropSheet).
using PFNCOMPROPSHEET = LONG_PTR(KX_STDCALL*)(HANDLE sheet, UINT function, LPARAM lParam1,
                                              LPARAM lParam2);

struct PROPSHEETUI_INFO {
  WORD cbSize;
  WORD Version;
  WORD Flags;
  WORD Reason;
  HANDLE hComPropSheet;
  PFNCOMPROPSHEET pfnComPropSheet;
  LPARAM lParamInit;
  ULONG_PTR UserData;
  ULONG_PTR Result;
};
static_assert(offsetof(PROPSHEETUI_INFO, Reason) == 6);
static_assert(offsetof(PROPSHEETUI_INFO, hComPropSheet) == 8);
static_assert(offsetof(PROPSHEETUI_INFO, Result) == 40);
static_assert(sizeof(PROPSHEETUI_INFO) == 48);

struct PROPSHEETUI_INFO_HEADER {
  WORD cbSize;
  WORD Flags;
  LPWSTR pTitle;
  HWND hWndParent;
  HINSTANCE hInst;
  union {
    HANDLE hIcon;
    ULONG_PTR IconID;
  };
};
static_assert(offsetof(PROPSHEETUI_INFO_HEADER, pTitle) == 8);
static_assert(sizeof(PROPSHEETUI_INFO_HEADER) == 40);

struct SETRESULT_INFO {
  WORD cbSize;
  WORD wReserved;
  HANDLE hSetResult;
  LRESULT Result;
};
static_assert(offsetof(SETRESULT_INFO, hSetResult) == 8);
static_assert(sizeof(SETRESULT_INFO) == 24);

// A property page description (PROPSHEETPAGEW up to its second version's fields).
struct PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    const WCHAR* pszTemplate;
    const void* pResource;  // an in-memory dialog template, with PSP_DLGINDIRECT
  };
  union {
    HANDLE hIcon;
    const WCHAR* pszIcon;
  };
  const WCHAR* pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  void* pfnCallback;
  UINT* pcRefParent;
  const WCHAR* pszHeaderTitle;
  const WCHAR* pszHeaderSubTitle;
};
static_assert(offsetof(PROPSHEETPAGEW, hInstance) == 8);
static_assert(offsetof(PROPSHEETPAGEW, pResource) == 16);
static_assert(offsetof(PROPSHEETPAGEW, pfnDlgProc) == 40);
static_assert(offsetof(PROPSHEETPAGEW, lParam) == 48);
static_assert(sizeof(PROPSHEETPAGEW) == 88);

inline constexpr DWORD PSP_DLGINDIRECT = 0x0001;
inline constexpr DWORD PSP_USETITLE = 0x0008;
inline constexpr DWORD PSP_HASHELP = 0x0020;

// Sheet information: version and reasons of the sheet slots.
inline constexpr WORD PROPSHEETUI_INFO_VERSION = 0x0100;
inline constexpr WORD PROPSHEETUI_REASON_INIT = 0;
inline constexpr WORD PROPSHEETUI_REASON_GET_INFO_HEADER = 1;
inline constexpr WORD PROPSHEETUI_REASON_DESTROY = 2;
inline constexpr WORD PROPSHEETUI_REASON_SET_RESULT = 3;
inline constexpr WORD PROPSHEETUI_REASON_GET_ICON = 4;

// Functions of the host's common property-sheet service.
inline constexpr UINT CPSFUNC_ADD_PROPSHEETPAGEW = 1;
inline constexpr UINT CPSFUNC_SET_RESULT = 9;
inline constexpr LRESULT CPSUI_CANCEL = 0;
inline constexpr LRESULT CPSUI_OK = 1;

// Item types (OPTTYPE.Type).
inline constexpr BYTE TVOT_2STATES = 0;
inline constexpr BYTE TVOT_3STATES = 1;
inline constexpr BYTE TVOT_UDARROW = 2;
inline constexpr BYTE TVOT_TRACKBAR = 3;
inline constexpr BYTE TVOT_SCROLLBAR = 4;
inline constexpr BYTE TVOT_LISTBOX = 5;
inline constexpr BYTE TVOT_COMBOBOX = 6;
inline constexpr BYTE TVOT_EDITBOX = 7;
inline constexpr BYTE TVOT_PUSHBUTTON = 8;
inline constexpr BYTE TVOT_CHKBOX = 9;

inline constexpr BYTE OPTPF_HIDE = 0x01;
inline constexpr BYTE OPTPF_DISABLED = 0x02;

// Item flags (OPTITEM.Flags).
inline constexpr DWORD OPTIF_COLLAPSE = 0x00000001;
inline constexpr DWORD OPTIF_HIDE = 0x00000002;
inline constexpr DWORD OPTIF_CALLBACK = 0x00000004;
inline constexpr DWORD OPTIF_CHANGED = 0x00000008;
inline constexpr DWORD OPTIF_CHANGEONCE = 0x00000010;
inline constexpr DWORD OPTIF_DISABLED = 0x00000020;
inline constexpr DWORD OPTIF_ECB_CHECKED = 0x00000040;
inline constexpr DWORD OPTIF_EXT_HIDE = 0x00000080;
inline constexpr DWORD OPTIF_EXT_DISABLED = 0x00000100;
inline constexpr DWORD OPTIF_EXT_IS_EXTPUSH = 0x00000400;

// Public device-mode items (OPTITEM.DMPubID).
inline constexpr BYTE DMPUB_NONE = 0;
inline constexpr BYTE DMPUB_ORIENTATION = 1;
inline constexpr BYTE DMPUB_COPIES_COLLATE = 3;
inline constexpr BYTE DMPUB_DEFSOURCE = 4;
inline constexpr BYTE DMPUB_PRINTQUALITY = 5;
inline constexpr BYTE DMPUB_COLOR = 6;
inline constexpr BYTE DMPUB_DUPLEX = 7;
inline constexpr BYTE DMPUB_TTOPTION = 8;
inline constexpr BYTE DMPUB_FORMNAME = 9;
inline constexpr BYTE DMPUB_ICMMETHOD = 10;
inline constexpr BYTE DMPUB_ICMINTENT = 11;
inline constexpr BYTE DMPUB_MEDIATYPE = 12;
inline constexpr BYTE DMPUB_OUTPUTBIN = 14;
inline constexpr BYTE DMPUB_QUALITY = 15;
inline constexpr BYTE DMPUB_NUP = 16;
inline constexpr BYTE DMPUB_PAGEORDER = 17;
inline constexpr BYTE DMPUB_BOOKLET_EDGE = 21;
inline constexpr BYTE DMPUB_USER = 100;

// Callback reasons and answers (CPSUICBPARAM).
inline constexpr WORD CPSUICB_REASON_SEL_CHANGED = 0;
inline constexpr WORD CPSUICB_REASON_PUSHBUTTON = 1;
inline constexpr WORD CPSUICB_REASON_ECB_CHANGED = 2;
inline constexpr WORD CPSUICB_REASON_DLGPROC = 3;
inline constexpr WORD CPSUICB_REASON_UNDO_CHANGES = 4;
inline constexpr WORD CPSUICB_REASON_EXTPUSH = 5;
inline constexpr WORD CPSUICB_REASON_APPLYNOW = 6;
inline constexpr WORD CPSUICB_REASON_OPTITEM_SETFOCUS = 7;
inline constexpr WORD CPSUICB_REASON_ITEMS_REVERTED = 8;
inline constexpr WORD CPSUICB_REASON_ABOUT = 9;
inline constexpr WORD CPSUICB_REASON_SETACTIVE = 10;
inline constexpr WORD CPSUICB_REASON_KILLACTIVE = 11;
inline constexpr LONG CPSUICB_ACTION_NONE = 0;
inline constexpr LONG CPSUICB_ACTION_OPTIF_CHANGED = 1;
inline constexpr LONG CPSUICB_ACTION_REINIT_ITEMS = 2;
inline constexpr LONG CPSUICB_ACTION_NO_APPLY_EXIT = 3;
inline constexpr LONG CPSUICB_ACTION_ITEMS_APPLIED = 4;

}  // namespace kx::host
