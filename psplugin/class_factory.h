// The class object that makes rendering plug-in objects.
#pragma once

#include <atomic>

#include "host/com.h"

namespace kx::ps {

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

}  // namespace kx::ps
