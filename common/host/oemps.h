// The host PostScript driver's rendering plug-in interfaces: IPrintOemPS, which the
// plug-in implements, and IPrintOemDriverPS, the host's service interface.
#pragma once

#include "host/com.h"
#include "host/ddi.h"
#include "host/oemcore.h"

namespace kx::host {

inline constexpr CLSID CLSID_OEMRENDER = {0x6d6abf26, 0x9f38, 0x11d1, {0x88, 0x2a, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec}};
inline constexpr IID IID_IPrintOemPS = {0x688342b5, 0x8e1a, 0x11d1, {0x88, 0x1f, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec}};
inline constexpr IID IID_IPrintOemDriverPS = {0xd90060c7, 0x8e1a, 0x11d1, {0x88, 0x1f, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec}};

struct IPrintOemPS : IUnknown {
  virtual HRESULT KX_STDCALL GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) = 0;
  virtual HRESULT KX_STDCALL DevMode(DWORD mode, OEMDMPARAM* param) = 0;
  virtual HRESULT KX_STDCALL EnableDriver(DWORD driverVersion, DWORD size, DRVENABLEDATA* data) = 0;
  virtual HRESULT KX_STDCALL DisableDriver() = 0;
  virtual HRESULT KX_STDCALL EnablePDEV(DEVOBJ* devobj, PWSTR printerName, ULONG patternCount,
                                        HSURF* patterns, ULONG gdiInfoSize, GDIINFO* gdiInfo,
                                        ULONG devInfoSize, DEVINFO* devInfo,
                                        DRVENABLEDATA* hostFunctions, PDEVOEM* state) = 0;
  virtual HRESULT KX_STDCALL DisablePDEV(DEVOBJ* devobj) = 0;
  virtual HRESULT KX_STDCALL ResetPDEV(DEVOBJ* oldDevobj, DEVOBJ* newDevobj) = 0;
  virtual HRESULT KX_STDCALL PublishDriverInterface(IUnknown* driverInterface) = 0;
  virtual HRESULT KX_STDCALL Command(DEVOBJ* devobj, DWORD index, PVOID data, DWORD size,
                                     PDWORD result) = 0;
};

struct IPrintOemDriverPS : IUnknown {
  virtual HRESULT KX_STDCALL DrvGetDriverSetting(PVOID driverObject, PCSTR feature, PVOID output,
                                                 DWORD size, PDWORD needed,
                                                 PDWORD optionsReturned) = 0;
  virtual HRESULT KX_STDCALL DrvWriteSpoolBuf(DEVOBJ* devobj, PVOID buffer, DWORD size,
                                              DWORD* written) = 0;
};

// Injection points of the PostScript stream (Command's index).
inline constexpr DWORD PSINJECT_BEGINSTREAM = 1;
inline constexpr DWORD PSINJECT_PSADOBE = 2;
inline constexpr DWORD PSINJECT_PAGESATEND = 3;
inline constexpr DWORD PSINJECT_PAGES = 4;
inline constexpr DWORD PSINJECT_DOCNEEDEDRES = 5;
inline constexpr DWORD PSINJECT_DOCSUPPLIEDRES = 6;
inline constexpr DWORD PSINJECT_PAGEORDER = 7;
inline constexpr DWORD PSINJECT_ORIENTATION = 8;
inline constexpr DWORD PSINJECT_BOUNDINGBOX = 9;
inline constexpr DWORD PSINJECT_DOCUMENTPROCESSCOLORS = 10;
inline constexpr DWORD PSINJECT_COMMENTS = 11;
inline constexpr DWORD PSINJECT_BEGINDEFAULTS = 12;
inline constexpr DWORD PSINJECT_ENDDEFAULTS = 13;
inline constexpr DWORD PSINJECT_BEGINPROLOG = 14;
inline constexpr DWORD PSINJECT_ENDPROLOG = 15;
inline constexpr DWORD PSINJECT_BEGINSETUP = 16;
inline constexpr DWORD PSINJECT_ENDSETUP = 17;
inline constexpr DWORD PSINJECT_TRAILER = 18;
inline constexpr DWORD PSINJECT_EOF = 19;
inline constexpr DWORD PSINJECT_ENDSTREAM = 20;
inline constexpr DWORD PSINJECT_DOCUMENTPROCESSCOLORSATEND = 21;
inline constexpr DWORD PSINJECT_PAGENUMBER = 100;
inline constexpr DWORD PSINJECT_BEGINPAGESETUP = 101;
inline constexpr DWORD PSINJECT_ENDPAGESETUP = 102;
inline constexpr DWORD PSINJECT_PAGETRAILER = 103;
inline constexpr DWORD PSINJECT_PLATECOLOR = 104;
inline constexpr DWORD PSINJECT_SHOWPAGE = 105;
inline constexpr DWORD PSINJECT_PAGEBBOX = 106;
inline constexpr DWORD PSINJECT_ENDPAGECOMMENTS = 107;
inline constexpr DWORD PSINJECT_VMSAVE = 200;
inline constexpr DWORD PSINJECT_VMRESTORE = 201;

}  // namespace kx::host
