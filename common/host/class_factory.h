// What makes a plug-in library an in-process server: its class object (IClassFactory),
// the answer of DllGetClassObject for its one class, and the counts behind
// DllCanUnloadNow. Both plug-ins are such servers; only the object they make differs.
#pragma once

#include <atomic>
#include <cstdint>
#include <new>

#include "host/call_barrier.h"
#include "host/com.h"

// Marks the library's two exports (on Windows the module definition file names them).
#if defined(_WIN32)
#define KX_EXPORT
#else
#define KX_EXPORT __attribute__((visibility("default")))
#endif

namespace kx::host {

// The module-wide counts that decide whether the library may be unloaded.
struct ServerCounts {
  std::atomic<int32_t> liveObjects{0};
  std::atomic<int32_t> serverLocks{0};

  bool Idle() const { return liveObjects.load() == 0 && serverLocks.load() == 0; }
};

// Makes objects of `Object`, which is default-constructible, starts with one reference
// and answers QueryInterface for the ids its host asks for.
template <class Object>
class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(ServerCounts& counts) : counts_(counts) {}
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT KX_STDCALL QueryInterface(const IID& iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

  ULONG KX_STDCALL AddRef() override { return static_cast<ULONG>(++references_); }

  ULONG KX_STDCALL Release() override {
    const int32_t remaining = --references_;
    if (remaining == 0) delete this;
    return static_cast<ULONG>(remaining);
  }

  HRESULT KX_STDCALL CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
    return CallBarrier([&]() -> HRESULT {
      if (object == nullptr) return E_POINTER;
      *object = nullptr;
      if (outer != nullptr) return CLASS_E_NOAGGREGATION;
      auto* created = new (std::nothrow) Object();
      if (created == nullptr) return E_OUTOFMEMORY;
      const HRESULT result = created->QueryInterface(iid, object);
      created->Release();
      return result;
    });
  }

  HRESULT KX_STDCALL LockServer(BOOL lock) override {
    if (lock) {
      ++counts_.serverLocks;
    } else {
      --counts_.serverLocks;
    }
    return S_OK;
  }

 private:
  ServerCounts& counts_;
  std::atomic<int32_t> references_{1};
};

// What DllGetClassObject answers for a library whose one class is `served`.
template <class Object>
HRESULT GetClassObject(const CLSID& served, ServerCounts& counts, const CLSID& clsid,
                       const IID& iid, void** object) noexcept {
  return CallBarrier([&]() -> HRESULT {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!(clsid == served)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory<Object>(counts);
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
  });
}

// What DllCanUnloadNow answers.
inline HRESULT CanUnloadNow(const ServerCounts& counts) noexcept {
  return counts.Idle() ? S_OK : S_FALSE;
}

}  // namespace kx::host
