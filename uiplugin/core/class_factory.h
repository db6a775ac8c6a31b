// The class object that makes UI plug-in objects.
#pragma once

#include <atomic>

#include "host/com.h"

namespace kx::ui {

class ClassFactory final : public host::IClassFactory {
 public:
  host::HRESULT KX_STDCALL QueryInterface(const host::IID& iid, void** object) override;
  host::ULONG KX_STDCALL AddRef() override;
  host::ULONG KX_STDCALL Release() override;
  host::HRESULT KX_STDCALL CreateInstance(host::IUnknown* outer, const host::IID& iid,
                                          void** object) override;
  host::HRESULT KX_STDCALL LockServer(host::BOOL lock) override;

 private:
  std::atomic<int32_t> references_{1};
};

// What DllGetClassObject answers: a class object for the UI plug-in's class only.
host::HRESULT GetClassObject(const host::CLSID& clsid, const host::IID& iid, void** object);
// What DllCanUnloadNow answers: S_OK when no object lives and no lock is held.
host::HRESULT CanUnloadNow();

}  // namespace kx::ui
