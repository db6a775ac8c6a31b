// Structures and constants that the host driver shares with both kinds of plug-in:
// the device-mode request (DevMode), the information request (GetInfo) and the
// device object that every rendering call carries.
#pragma once

#include <cstddef>

#include "host/devmode.h"
#include "host/types.h"

namespace kx::host {

// The private part of a plug-in's settings inside the host's device mode starts with
// this header.
struct OEM_DMEXTRAHEADER {
  DWORD dwSize;
  DWORD dwSignature;
  DWORD dwVersion;
};
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12);

struct OEMDMPARAM {
  DWORD cbSize;
  PVOID pdriverobj;
  HANDLE hPrinter;
  HANDLE hModule;
  DEVMODEW* pPublicDMIn;
  DEVMODEW* pPublicDMOut;
  PVOID pOEMDMIn;
  PVOID pOEMDMOut;
  DWORD cbBufSize;
};
static_assert(offsetof(OEMDMPARAM, pdriverobj) == sizeof(void*));
static_assert(offsetof(OEMDMPARAM, hPrinter) == 2 * sizeof(void*));
static_assert(offsetof(OEMDMPARAM, pOEMDMIn) == 6 * sizeof(void*));
static_assert(offsetof(OEMDMPARAM, pOEMDMOut) == 7 * sizeof(void*));
static_assert(offsetof(OEMDMPARAM, cbBufSize) == 8 * sizeof(void*));
static_assert(sizeof(OEMDMPARAM) == 9 * sizeof(void*));

inline constexpr DWORD OEMDM_SIZE = 1;
inline constexpr DWORD OEMDM_DEFAULT = 2;
inline constexpr DWORD OEMDM_CONVERT = 3;
inline constexpr DWORD OEMDM_MERGE = 4;

inline constexpr DWORD OEMGI_GETSIGNATURE = 1;
inline constexpr DWORD OEMGI_GETINTERFACEVERSION = 2;
inline constexpr DWORD OEMGI_GETVERSION = 3;
inline constexpr DWORD OEMGI_GETPUBLISHERINFO = 4;

inline constexpr DWORD PRINTER_OEMINTF_VERSION = 0x00010000;

struct DRVPROCS;
using PDEVOEM = void*;

struct DEVOBJ {
  DWORD dwSize;
  PDEVOEM pdevOEM;      // the plug-in's per-device state
  HANDLE hEngine;
  HANDLE hPrinter;
  HANDLE hOEM;
  DEVMODEW* pPublicDM;
  PVOID pOEMDM;         // the plug-in's private settings record
  DRVPROCS* pDrvProcs;
};
static_assert(offsetof(DEVOBJ, pdevOEM) == sizeof(void*));
static_assert(offsetof(DEVOBJ, hPrinter) == 3 * sizeof(void*));
static_assert(offsetof(DEVOBJ, pPublicDM) == 5 * sizeof(void*));
static_assert(offsetof(DEVOBJ, pOEMDM) == 6 * sizeof(void*));
static_assert(sizeof(DEVOBJ) == 8 * sizeof(void*));

}  // namespace kx::host
