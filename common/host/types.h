// Fixed-width stand-ins for the Windows base types that the host driver's plug-in ABI
// uses. They have the sizes the types have on Windows (ULONG and LONG are 32 bits,
// WCHAR is a UTF-16 unit), so the structures below are laid out as on Windows.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define KX_STDCALL __stdcall
#else
#define KX_STDCALL
#endif

namespace kx::host {

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using ULONG = uint32_t;
using LONG = int32_t;
using SHORT = int16_t;
using USHORT = uint16_t;
using BOOL = int32_t;
using WCHAR = char16_t;
using PWSTR = WCHAR*;
using PCSTR = const char*;
using PVOID = void*;
using PDWORD = DWORD*;
using HANDLE = void*;
using HRESULT = int32_t;
using PFN = void (*)();
using UINT = uint32_t;
using INT = int32_t;
using FLONG = uint32_t;
// Pointer-sized integers, as the window and common-UI interfaces pass them.
using UINT_PTR = uintptr_t;
using ULONG_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using INT_PTR = intptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using PCWSTR = const WCHAR*;
using LPWSTR = WCHAR*;

}  // namespace kx::host
