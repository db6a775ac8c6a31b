#include "hostsim/render_session.h"

#include "host/com.h"

namespace kx::hostsim {

using namespace host;

namespace {

std::string Hex(HRESULT result) {
  char text[16];
  snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(result));
  return text;
}

}  // namespace

std::unique_ptr<RenderSession> RenderSession::Create(const PluginModule& module,
                                                     std::string* error) {
  std::unique_ptr<RenderSession> session(new RenderSession());
  IClassFactory* factory = nullptr;
  HRESULT result = module.GetClassObject(CLSID_OEMRENDER, IID_IClassFactory,
                                         reinterpret_cast<void**>(&factory));
  if (result != S_OK || factory == nullptr) {
    *error = "DllGetClassObject failed: " + Hex(result);
    return nullptr;
  }
  result = factory->CreateInstance(nullptr, IID_IPrintOemPS,
                                   reinterpret_cast<void**>(&session->plugin_));
  factory->Release();
  if (result != S_OK || session->plugin_ == nullptr) {
    *error = "CreateInstance failed: " + Hex(result);
    return nullptr;
  }
  result = session->plugin_->PublishDriverInterface(&session->driverInterface_);
  if (result != S_OK) {
    *error = "PublishDriverInterface failed: " + Hex(result);
    return nullptr;
  }
  result = session->plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof(DRVENABLEDATA),
                                          &session->hooks_);
  if (result != S_OK) {
    *error = "EnableDriver failed: " + Hex(result);
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
