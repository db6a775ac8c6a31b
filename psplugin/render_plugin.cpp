#include "render_plugin.h"

#include <new>

#include "device_state.h"
#include "get_info.h"
#include "host/call_barrier.h"
#include "hook_table.h"
#include "injection.h"
#include "module_counters.h"
#include "platform/last_error.h"
#include "settings/devmode_request.h"

namespace kx::ps {

using namespace host;

RenderPlugin::RenderPlugin() { ++Counters().liveObjects; }

RenderPlugin::~RenderPlugin() {
  ReleaseHostInterface();
  --Counters().liveObjects;
}

void RenderPlugin::ReleaseHostInterface() {
  if (hostInterface_ != nullptr) {
    hostInterface_->Release();
    hostInterface_ = nullptr;
  }
}

HRESULT RenderPlugin::QueryInterface(const IID& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPrintOemPS) {
    *object = static_cast<IPrintOemPS*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG RenderPlugin::AddRef() { return static_cast<ULONG>(++references_); }

ULONG RenderPlugin::Release() {
  const int32_t remaining = --references_;
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT RenderPlugin::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
  return CallBarrier([&] { return AnswerGetInfo(mode, buffer, size, needed); });
}

HRESULT RenderPlugin::DevMode(DWORD mode, OEMDMPARAM* param) {
  return CallBarrier([&] { return settings::AnswerDevModeRequest(mode, param); });
}

HRESULT RenderPlugin::EnableDriver(DWORD, DWORD, DRVENABLEDATA* data) {
  if (data == nullptr) return E_FAIL;
  data->iDriverVersion = PRINTER_OEMINTF_VERSION;
  data->c = static_cast<ULONG>(kHookCount);
  data->pdrvfn = HookTable();
  return S_OK;
}

HRESULT RenderPlugin::DisableDriver() {
  ReleaseHostInterface();
  return S_OK;
}

HRESULT RenderPlugin::EnablePDEV(DEVOBJ* devobj, PWSTR, ULONG, HSURF*, ULONG, GDIINFO*, ULONG,
                                 DEVINFO*, DRVENABLEDATA* hostFunctions, PDEVOEM* state) {
  if (state == nullptr) return E_FAIL;
  return CallBarrier([&] {
    auto* device = new (std::nothrow) DeviceState();
    if (device == nullptr) return E_FAIL;
    TakeHostFunctions(hostFunctions, device);
    if (devobj != nullptr) device->ppd = OpenPrinterPpd(devobj->hPrinter);
    *state = device;
    return S_OK;
  });
}

HRESULT RenderPlugin::DisablePDEV(DEVOBJ* devobj) {
  return CallBarrier([&] {
    delete StateOf(devobj);
    if (devobj != nullptr) devobj->pdevOEM = nullptr;
    return S_OK;
  });
}

HRESULT RenderPlugin::ResetPDEV(DEVOBJ*, DEVOBJ*) { return S_OK; }

HRESULT RenderPlugin::PublishDriverInterface(IUnknown* driverInterface) {
  if (hostInterface_ != nullptr) return S_OK;
  if (driverInterface == nullptr) return E_FAIL;
  void* answer = nullptr;
  if (driverInterface->QueryInterface(IID_IPrintOemDriverPS, &answer) != S_OK ||
      answer == nullptr) {
    return E_FAIL;
  }
  hostInterface_ = static_cast<IPrintOemDriverPS*>(answer);
  return S_OK;
}

HRESULT RenderPlugin::Command(DEVOBJ* devobj, DWORD index, PVOID, DWORD, PDWORD result) {
  return CallBarrier([&] {
    const bool succeeded = DispatchInjection(hostInterface_, devobj, index);
    if (result != nullptr) *result = succeeded ? 0 : platform::GetLastErrorCode();
    return succeeded ? S_OK : S_FALSE;
  });
}

}  // namespace kx::ps
