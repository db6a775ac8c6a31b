#include "hostsim/driver_interface.h"

namespace kx::hostsim {

using namespace host;

HRESULT DriverInterface::QueryInterface(const IID& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPrintOemDriverPS) {
    *object = static_cast<IPrintOemDriverPS*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DriverInterface::AddRef() { return static_cast<ULONG>(++references_); }

// The simulator owns the object; the count only shows that the plug-in balances its
// references.
ULONG DriverInterface::Release() { return static_cast<ULONG>(--references_); }

HRESULT DriverInterface::DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD) {
  return E_NOTIMPL;
}

HRESULT DriverInterface::DrvWriteSpoolBuf(DEVOBJ* devobj, PVOID buffer, DWORD size,
                                          DWORD* written) {
  if (written != nullptr) *written = 0;
  if (devobj == nullptr || devobj->hEngine == nullptr || (buffer == nullptr && size != 0)) {
    return E_FAIL;
  }
  auto* sink = static_cast<SpoolSink*>(devobj->hEngine);
  sink->bytes.append(static_cast<const char*>(buffer), size);
  ++sink->pluginWrites;
  if (written != nullptr) *written = size;
  return S_OK;
}

}  // namespace kx::hostsim
