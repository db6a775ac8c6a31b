// The component object model as far as the plug-ins use it: GUIDs, result codes,
// IUnknown and IClassFactory, with the slot order of the platform's interfaces.
#pragma once

#include <cstring>

#include "host/types.h"

namespace kx::host {

struct GUID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
static_assert(sizeof(GUID) == 16);

using IID = GUID;
using CLSID = GUID;

inline bool operator==(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Pure interfaces: no data, no virtual destructor, slots in the platform's order.
struct IUnknown {
  virtual HRESULT KX_STDCALL QueryInterface(const IID& iid, void** object) = 0;
  virtual ULONG KX_STDCALL AddRef() = 0;
  virtual ULONG KX_STDCALL Release() = 0;
};

struct IClassFactory : IUnknown {
  virtual HRESULT KX_STDCALL CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
  virtual HRESULT KX_STDCALL LockServer(BOOL lock) = 0;
};

using DllGetClassObjectFn = HRESULT(KX_STDCALL*)(const CLSID& clsid, const IID& iid, void** object);
using DllCanUnloadNowFn = HRESULT(KX_STDCALL*)();

}  // namespace kx::host
