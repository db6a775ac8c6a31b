#include "class_factory.h"

#include <new>

#include "host/call_barrier.h"
#include "host/oemui.h"
#include "module_state.h"
#include "ui_plugin.h"

namespace kx::ui {

using namespace host;

HRESULT ClassFactory::QueryInterface(const IID& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return static_cast<ULONG>(++references_); }

ULONG ClassFactory::Release() {
  const int32_t remaining = --references_;
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, const IID& iid, void** object) {
  return CallBarrier([&]() -> HRESULT {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* plugin = new (std::nothrow) UiPlugin();
    if (plugin == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = plugin->QueryInterface(iid, object);
    plugin->Release();
    return result;
  });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    ++Module().serverLocks;
  } else {
    --Module().serverLocks;
  }
  return S_OK;
}

HRESULT GetClassObject(const CLSID& clsid, const IID& iid, void** object) {
  return CallBarrier([&]() -> HRESULT {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!(clsid == CLSID_OEMUI)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory();
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
  });
}

HRESULT CanUnloadNow() {
  return CallBarrier([] { return Module().Idle() ? S_OK : S_FALSE; });
}

}  // namespace kx::ui
