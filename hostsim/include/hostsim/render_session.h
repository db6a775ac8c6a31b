// One rendering plug-in object as the host driver holds it: created through the
// module's class object, given the host's service interface and enabled.
#pragma once

#include <memory>
#include <string>

#include "host/oemps.h"
#include "hostsim/driver_interface.h"
#include "hostsim/plugin_module.h"

namespace kx::hostsim {

class RenderSession {
 public:
  // DllGetClassObject, CreateInstance, PublishDriverInterface, EnableDriver.
  static std::unique_ptr<RenderSession> Create(const PluginModule& module, std::string* error);
  // DisableDriver, then the last reference is released.
  ~RenderSession();
  RenderSession(const RenderSession&) = delete;
  RenderSession& operator=(const RenderSession&) = delete;

  host::IPrintOemPS* plugin() const { return plugin_; }
  DriverInterface& driverInterface() { return driverInterface_; }
  // The function the plug-in hooked for the start of a document, or null.
  host::PFN HookedFunction(host::ULONG index) const;

 private:
  RenderSession() = default;
  host::IPrintOemPS* plugin_ = nullptr;
  DriverInterface driverInterface_;
  host::DRVENABLEDATA hooks_{};
};

}  // namespace kx::hostsim
