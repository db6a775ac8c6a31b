#include "hostsim/render_session.h"

#include "host/com.h"

namespace kx::hostsim {

using namespace host;

std::unique_ptr<RenderSession> RenderSession::Create(const PluginModule& module,
                                                     std::string* error) {
  std::unique_ptr<RenderSession> session(new RenderSession());
  if (!module.CreateObject(CLSID_OEMRENDER, IID_IPrintOemPS,
                           reinterpret_cast<void**>(&session->plugin_), error)) {
    return nullptr;
  }
  HRESULT result = session->plugin_->PublishDriverInterface(&session->driverInterface_);
  if (result != S_OK) {
    *error = "PublishDriverInterface failed: " + HresultText(result);
    return nullptr;
  }
  result = session->plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof(DRVENABLEDATA),
                                          &session->hooks_);
  if (result != S_OK) {
    *error = "EnableDriver failed: " + HresultText(result);
    return nullptr;
  }
  return session;
}

RenderSession::~RenderSession() {
  if (plugin_ != nullptr) {
    plugin_->DisableDriver();
    plugin_->Release();
  }
}

PFN RenderSession::HookedFunction(ULONG index) const {
  for (ULONG i = 0; hooks_.pdrvfn != nullptr && i < hooks_.c; ++i) {
    if (hooks_.pdrvfn[i].iFunc == index) return hooks_.pdrvfn[i].pfn;
  }
  return nullptr;
}

}  // namespace kx::hostsim
