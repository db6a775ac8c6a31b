// The host PostScript driver's UI plug-in interfaces: IPrintOemUI, which the plug-in
// implements, and IPrintOemDriverUI, the host's service interface, with the parameter
// block of the common settings UI.
#pragma once

#include <cstddef>

#include "host/com.h"
#include "host/compstui.h"
#include "host/devmode.h"
#include "host/oemcore.h"

namespace kx::host {

inline constexpr CLSID CLSID_OEMUI = {0xabce80d7, 0x9f46, 0x11d1, {0x88, 0x2a, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec}};
inline constexpr IID IID_IPrintOemUI = {0xc6a7a9d0, 0x774c, 0x11d1, {0x94, 0x7f, 0x00, 0xa0, 0xc9, 0x06, 0x40, 0xb8}};
inline constexpr IID IID_IPrintOemDriverUI = {0x92b05d50, 0x78bc, 0x11d1, {0x94, 0x80, 0x00, 0xa0, 0xc9, 0x06, 0x40, 0xb8}};

struct OEMCUIPPARAM;
using OEMCUIPCALLBACK = LONG(KX_STDCALL*)(CPSUICBPARAM* callback, OEMCUIPPARAM* param);

// What CommonUIProp receives: the printer, the settings records and the host's items.
struct OEMCUIPPARAM {
  DWORD cbSize;
  PVOID poemuiobj;
  HANDLE hPrinter;
  PWSTR pPrinterName;
  HANDLE hModule;
  HANDLE hOEMHeap;
  DEVMODEW* pPublicDM;
  PVOID pOEMDM;
  DWORD dwFlags;
  OPTITEM* pDrvOptItems;
  DWORD cDrvOptItems;
  OPTITEM* pOEMOptItems;
  DWORD cOEMOptItems;
  PVOID pOEMUserData;
  OEMCUIPCALLBACK OEMCUIPCallback;
};
static_assert(offsetof(OEMCUIPPARAM, poemuiobj) == 8);
static_assert(offsetof(OEMCUIPPARAM, hPrinter) == 16);
static_assert(offsetof(OEMCUIPPARAM, pPublicDM) == 48);
static_assert(offsetof(OEMCUIPPARAM, pOEMDM) == 56);
static_assert(offsetof(OEMCUIPPARAM, dwFlags) == 64);
static_assert(offsetof(OEMCUIPPARAM, pDrvOptItems) == 72);
static_assert(offsetof(OEMCUIPPARAM, cDrvOptItems) == 80);
static_assert(offsetof(OEMCUIPPARAM, pOEMOptItems) == 88);
static_assert(offsetof(OEMCUIPPARAM, cOEMOptItems) == 96);
static_assert(offsetof(OEMCUIPPARAM, pOEMUserData) == 104);
static_assert(offsetof(OEMCUIPPARAM, OEMCUIPCallback) == 112);
static_assert(sizeof(OEMCUIPPARAM) == 120);

inline constexpr DWORD OEMCUIP_DOCPROP = 1;
inline constexpr DWORD OEMCUIP_PRNPROP = 2;

// PrinterEvent's events.
inline constexpr INT PRINTER_EVENT_ADD_CONNECTION = 1;
inline constexpr INT PRINTER_EVENT_DELETE_CONNECTION = 2;
inline constexpr INT PRINTER_EVENT_INITIALIZE = 3;
inline constexpr INT PRINTER_EVENT_DELETE = 4;

// Colour profile queries (QueryColorProfile).
inline constexpr ULONG QCP_DEVICEPROFILE = 0;
inline constexpr ULONG QCP_TARGETPROFILE = 1;
inline constexpr FLONG QCP_PROFILEMEMORY = 1;
inline constexpr FLONG QCP_PROFILEDISK = 2;

// DrvUpdateUISetting modes.
inline constexpr DWORD OEMCUIP_DOCPROP_UPDATE = 1;
inline constexpr DWORD OEMCUIP_PRNPROP_UPDATE = 2;

struct IPrintOemUI : IUnknown {
  virtual HRESULT KX_STDCALL GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) = 0;
  virtual HRESULT KX_STDCALL DevMode(DWORD mode, OEMDMPARAM* param) = 0;
  virtual HRESULT KX_STDCALL PublishDriverInterface(IUnknown* driverInterface) = 0;
  virtual HRESULT KX_STDCALL CommonUIProp(DWORD mode, OEMCUIPPARAM* param) = 0;
  virtual HRESULT KX_STDCALL DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) = 0;
  virtual HRESULT KX_STDCALL DevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) = 0;
  virtual HRESULT KX_STDCALL DevQueryPrintEx(PVOID uiObject, PVOID queryInfo,
                                             DEVMODEW* publicDevMode, PVOID privateRecord) = 0;
  virtual HRESULT KX_STDCALL DeviceCapabilities(PVOID uiObject, HANDLE printer, PWSTR deviceName,
                                                WORD capability, PVOID output,
                                                DEVMODEW* publicDevMode, PVOID privateRecord,
                                                DWORD old, DWORD* result) = 0;
  virtual HRESULT KX_STDCALL UpgradePrinter(DWORD level, BYTE* upgradeInfo) = 0;
  virtual HRESULT KX_STDCALL PrinterEvent(PWSTR printerName, INT event, DWORD flags,
                                          LPARAM lParam) = 0;
  virtual HRESULT KX_STDCALL DriverEvent(DWORD event, DWORD level, BYTE* driverInfo,
                                         LPARAM lParam) = 0;
  virtual HRESULT KX_STDCALL QueryColorProfile(HANDLE printer, PVOID uiObject,
                                               DEVMODEW* publicDevMode, PVOID privateRecord,
                                               ULONG queryMode, PVOID profileData,
                                               ULONG* profileDataSize, FLONG* profileFlags) = 0;
  virtual HRESULT KX_STDCALL FontInstallerDlgProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) = 0;
  virtual HRESULT KX_STDCALL UpdateExternalFonts(HANDLE printer, HANDLE heap,
                                                 PWSTR cartridges) = 0;
};

struct IPrintOemDriverUI : IUnknown {
  virtual HRESULT KX_STDCALL DrvGetDriverSetting(PVOID driverObject, PCSTR feature, PVOID output,
                                                 DWORD size, PDWORD needed,
                                                 PDWORD optionsReturned) = 0;
  virtual HRESULT KX_STDCALL DrvUpgradeRegistrySetting(HANDLE printer, PCSTR feature,
                                                       PCSTR option) = 0;
  virtual HRESULT KX_STDCALL DrvUpdateUISetting(PVOID driverObject, PVOID optItem,
                                                DWORD previousSelection, DWORD mode) = 0;
};

}  // namespace kx::host
