// The library's only two exports: the class object and the unload check.
#include "class_factory.h"
#include "host/class_factory.h"

using namespace kx;

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllGetClassObject(const host::CLSID& clsid,
                                                                const host::IID& iid,
                                                                void** object) {
  return ui::GetClassObject(clsid, iid, object);
}

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllCanUnloadNow() { return ui::CanUnloadNow(); }
