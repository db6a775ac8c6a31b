// The graphics driver interface pieces that a rendering plug-in sees: the function
// table it hands to the host, the surface object and the function indexes it hooks.
#pragma once

#include <cstddef>

#include "host/types.h"

namespace kx::host {

struct DRVFN {
  ULONG iFunc;
  PFN pfn;
};
static_assert(offsetof(DRVFN, pfn) == sizeof(void*));
static_assert(sizeof(DRVFN) == 2 * sizeof(void*));

struct DRVENABLEDATA {
  ULONG iDriverVersion;
  ULONG c;
  DRVFN* pdrvfn;
};
static_assert(offsetof(DRVENABLEDATA, pdrvfn) == 8);
static_assert(sizeof(DRVENABLEDATA) == 8 + sizeof(void*));

struct SIZEL {
  LONG cx;
  LONG cy;
};

struct SURFOBJ {
  HANDLE dhsurf;
  HANDLE hsurf;
  HANDLE dhpdev;  // for a plug-in's hook: the device object
  HANDLE hdev;
  SIZEL sizlBitmap;
  ULONG cjBits;
  PVOID pvBits;
  PVOID pvScan0;
  LONG lDelta;
  ULONG iUniq;
  ULONG iBitmapFormat;
  USHORT iType;
  USHORT fjBitmap;
};
static_assert(offsetof(SURFOBJ, dhpdev) == 2 * sizeof(void*));
static_assert(offsetof(SURFOBJ, sizlBitmap) == 4 * sizeof(void*));

struct GDIINFO;
struct DEVINFO;
using HSURF = HANDLE;

using DrvStartDocFn = BOOL(KX_STDCALL*)(SURFOBJ* surface, PWSTR documentName, DWORD jobId);

inline constexpr ULONG INDEX_DrvRealizeBrush = 12;
inline constexpr ULONG INDEX_DrvStrokePath = 14;
inline constexpr ULONG INDEX_DrvFillPath = 15;
inline constexpr ULONG INDEX_DrvStrokeAndFillPath = 16;
inline constexpr ULONG INDEX_DrvBitBlt = 18;
inline constexpr ULONG INDEX_DrvCopyBits = 19;
inline constexpr ULONG INDEX_DrvStretchBlt = 20;
inline constexpr ULONG INDEX_DrvTextOut = 23;
inline constexpr ULONG INDEX_DrvEscape = 24;
inline constexpr ULONG INDEX_DrvQueryFont = 26;
inline constexpr ULONG INDEX_DrvQueryFontTree = 27;
inline constexpr ULONG INDEX_DrvQueryFontData = 28;
inline constexpr ULONG INDEX_DrvSendPage = 32;
inline constexpr ULONG INDEX_DrvStartPage = 33;
inline constexpr ULONG INDEX_DrvEndDoc = 34;
inline constexpr ULONG INDEX_DrvStartDoc = 35;
inline constexpr ULONG INDEX_DrvGetGlyphMode = 37;
inline constexpr ULONG INDEX_DrvFontManagement = 47;
inline constexpr ULONG INDEX_DrvQueryAdvanceWidths = 53;
inline constexpr ULONG INDEX_DrvIcmCreateColorTransform = 64;
inline constexpr ULONG INDEX_DrvIcmDeleteColorTransform = 65;
inline constexpr ULONG INDEX_DrvGradientFill = 68;
inline constexpr ULONG INDEX_DrvStretchBltROP = 69;
inline constexpr ULONG INDEX_DrvPlgBlt = 70;
inline constexpr ULONG INDEX_DrvAlphaBlend = 71;
inline constexpr ULONG INDEX_DrvTransparentBlt = 74;
inline constexpr ULONG INDEX_DrvQueryDeviceSupport = 76;

}  // namespace kx::host
