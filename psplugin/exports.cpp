// The library's only two exports: the class object and the unload check.
#include "host/class_factory.h"
#include "host/oemps.h"
#include "module_counters.h"
#include "render_plugin.h"

using namespace kx;

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllGetClassObject(const host::CLSID& clsid,
                                                                const host::IID& iid,
                                                                void** object) {
  return host::GetClassObject<ps::RenderPlugin>(host::CLSID_OEMRENDER, ps::Counters(), clsid,
                                                iid, object);
}

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllCanUnloadNow() {
  return host::CanUnloadNow(ps::Counters());
}
