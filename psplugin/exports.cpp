// The library's only two exports: the class object and the unload check.
#include <new>

#include "class_factory.h"
#include "host/call_barrier.h"
#include "host/oemps.h"
#include "module_counters.h"

#if defined(_WIN32)
#define KX_EXPORT  // exported through the module definition file
#else
#define KX_EXPORT __attribute__((visibility("default")))
#endif

using namespace kx;

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllGetClassObject(const host::CLSID& clsid,
                                                                const host::IID& iid,
                                                                void** object) {
  if (object == nullptr) return host::E_POINTER;
  *object = nullptr;
  if (!(clsid == host::CLSID_OEMRENDER)) return host::CLASS_E_CLASSNOTAVAILABLE;
  return host::CallBarrier([&] {
    auto* factory = new (std::nothrow) ps::ClassFactory();
    if (factory == nullptr) return host::E_OUTOFMEMORY;
    const host::HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
  });
}

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllCanUnloadNow() {
  return ps::Counters().Idle() ? host::S_OK : host::S_FALSE;
}
