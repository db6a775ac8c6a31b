#include "class_factory.h"

#include "host/class_factory.h"
#include "host/oemui.h"
#include "module_state.h"
#include "ui_plugin.h"

namespace kx::ui {

host::HRESULT GetClassObject(const host::CLSID& clsid, const host::IID& iid, void** object) {
  return host::GetClassObject<UiPlugin>(host::CLSID_OEMUI, Module().counts, clsid, iid, object);
}

host::HRESULT CanUnloadNow() { return host::CanUnloadNow(Module().counts); }

}  // namespace kx::ui
