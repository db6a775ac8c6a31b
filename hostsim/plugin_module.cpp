#include "hostsim/plugin_module.h"

#include <cstdio>

#include "platform/module.h"

namespace kx::hostsim {

std::unique_ptr<PluginModule> PluginModule::Load(const std::string& path, std::string* error) {
  std::unique_ptr<PluginModule> module(new PluginModule());
  module->handle_ = platform::LoadModule(path, error);
  if (module->handle_ == nullptr) return nullptr;
  module->getClassObject_ = reinterpret_cast<host::DllGetClassObjectFn>(
      platform::FindExport(module->handle_, "DllGetClassObject"));
  module->canUnloadNow_ = reinterpret_cast<host::DllCanUnloadNowFn>(
      platform::FindExport(module->handle_, "DllCanUnloadNow"));
  if (module->getClassObject_ == nullptr || module->canUnloadNow_ == nullptr) {
    if (error != nullptr) *error = path + ": not a plug-in (DllGetClassObject or DllCanUnloadNow missing)";
    return nullptr;
  }
  return module;
}

PluginModule::~PluginModule() {
  if (handle_ != nullptr) platform::UnloadModule(handle_);
}

host::HRESULT PluginModule::GetClassObject(const host::CLSID& clsid, const host::IID& iid,
                                           void** object) const {
  return getClassObject_(clsid, iid, object);
}

host::HRESULT PluginModule::CanUnloadNow() const { return canUnloadNow_(); }

bool PluginModule::CreateObject(const host::CLSID& clsid, const host::IID& iid, void** object,
                                std::string* error) const {
  host::IClassFactory* factory = nullptr;
  host::HRESULT result =
      GetClassObject(clsid, host::IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (result != host::S_OK || factory == nullptr) {
    *error = "DllGetClassObject failed: " + HresultText(result);
    return false;
  }
  result = factory->CreateInstance(nullptr, iid, object);
  factory->Release();
  if (result != host::S_OK || *object == nullptr) {
    *error = "CreateInstance failed: " + HresultText(result);
    return false;
  }
  return true;
}

std::string HresultText(host::HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(result));
  return text;
}

}  // namespace kx::hostsim
