// The library's only two exports: the class object and the unload check.
#include "class_factory.h"

#if defined(_WIN32)
#define KX_EXPORT  // exported through the module definition file
#else
#define KX_EXPORT __attribute__((visibility("default")))
#endif

using namespace kx;

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllGetClassObject(const host::CLSID& clsid,
                                                                const host::IID& iid,
                                                                void** object) {
  return ui::GetClassObject(clsid, iid, object);
}

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllCanUnloadNow() { return ui::CanUnloadNow(); }
