// A plug-in library loaded by path, reached only through its exported entry points, as
// the host driver reaches it.
#pragma once

#include <memory>
#include <string>

#include "host/com.h"

namespace kx::hostsim {

// A result code as error texts show it ("0x80004005").
std::string HresultText(host::HRESULT result);

class PluginModule {
 public:
  // Null with *error set when the library cannot be loaded or lacks an export.
  static std::unique_ptr<PluginModule> Load(const std::string& path, std::string* error);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  host::HRESULT GetClassObject(const host::CLSID& clsid, const host::IID& iid, void** object) const;
  host::HRESULT CanUnloadNow() const;
  // A plug-in object made as the host makes it: the class object of `clsid`, its
  // CreateInstance for `iid`, the class object released. False with *error set.
  bool CreateObject(const host::CLSID& clsid, const host::IID& iid, void** object,
                    std::string* error) const;

 private:
  PluginModule() = default;
  void* handle_ = nullptr;
  host::DllGetClassObjectFn getClassObject_ = nullptr;
  host::DllCanUnloadNowFn canUnloadNow_ = nullptr;
};

}  // namespace kx::hostsim
