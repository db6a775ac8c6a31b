// The library's only two exports: the class object and the unload check.
#include "host/call_barrier.h"
#include "host/class_factory.h"
#include "host/oemps.h"
#include "module_counters.h"
#include "render_plugin.h"

using namespace kx;

// Both run behind the call barrier: GetClassObject keeps its body behind it.
extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllGetClassObject(const host::CLSID& clsid,
                                                                const host::IID& iid,
                                                                void** object) {
  return host::GetClassObject<ps::RenderPlugin>(host::CLSID_OEMRENDER, ps::Counters(), clsid,
                                                iid, object);
}

extern "C" KX_EXPORT host::HRESULT KX_STDCALL DllCanUnloadNow() {
  return host::CallBarrier([] { return host::CanUnloadNow(ps::Counters()); });
}
