#include "class_factory.h"

#include <new>

#include "module_counters.h"
#include "render_plugin.h"

namespace kx::ps {

host::HRESULT ClassFactory::QueryInterface(const host::IID& iid, void** object) {
  if (object == nullptr) return host::E_POINTER;
  if (iid == host::IID_IUnknown || iid == host::IID_IClassFactory) {
    *object = static_cast<host::IClassFactory*>(this);
    AddRef();
    return host::S_OK;
  }
  *object = nullptr;
  return host::E_NOINTERFACE;
}

host::ULONG ClassFactory::AddRef() { return static_cast<host::ULONG>(++references_); }

host::ULONG ClassFactory::Release() {
  const int32_t remaining = --references_;
  if (remaining == 0) delete this;
  return static_cast<host::ULONG>(remaining);
}

host::HRESULT ClassFactory::CreateInstance(host::IUnknown* outer, const host::IID& iid,
                                           void** object) {
  if (object == nullptr) return host::E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return host::CLASS_E_NOAGGREGATION;
  auto* plugin = new (std::nothrow) RenderPlugin();
  if (plugin == nullptr) return host::E_OUTOFMEMORY;
  const host::HRESULT result = plugin->QueryInterface(iid, object);
  plugin->Release();
  return result;
}

host::HRESULT ClassFactory::LockServer(host::BOOL lock) {
  if (lock) {
    ++Counters().serverLocks;
  } else {
    --Counters().serverLocks;
  }
  return host::S_OK;
}

}  // namespace kx::ps
