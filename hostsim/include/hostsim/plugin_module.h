// A plug-in library loaded by path, reached only through its exported entry points, as
// the host driver reaches it.
#pragma once

#include <memory>
#include <string>

#include "host/com.h"

namespace kx::hostsim {

class PluginModule {
 public:
  // Null with *error set when the library cannot be loaded or lacks an export.
  static std::unique_ptr<PluginModule> Load(const std::string& path, std::string* error);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  host::HRESULT GetClassObject(const host::CLSID& clsid, const host::IID& iid, void** object) const;
  host::HRESULT CanUnloadNow() const;

 private:
  PluginModule() = default;
  void* handle_ = nullptr;
  host::DllGetClassObjectFn getClassObject_ = nullptr;
  host::DllCanUnloadNowFn canUnloadNow_ = nullptr;
};

}  // namespace kx::hostsim
