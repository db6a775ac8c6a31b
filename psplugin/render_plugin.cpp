#include "render_plugin.h"

#include <memory>
#include <new>
#include <utility>

#include "device_state.h"
#include "get_info.h"
#include "host/call_barrier.h"
#include "hook_table.h"
#include "injection.h"
#include "module_counters.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "settings/devmode_request.h"

namespace kx::ps {

using namespace host;

namespace {

// Every slot runs its body behind the call barrier, so that nothing unwinds into the
// host. The host knows one failure value from these slots, so an allocation failure
// answers E_FAIL like any other.
template <class F>
HRESULT Slot(F&& body) noexcept {
  return CallBarrier(std::forward<F>(body), E_FAIL, E_FAIL);
}

// The same for the reference counts, which answer 0 when something failed.
template <class F>
ULONG CountSlot(F&& body) noexcept {
  return ValueBarrier<ULONG>(std::forward<F>(body), 0);
}

// The last error that stands for an exception out of an injection: out of memory, or a
// general failure for anything else.
uint32_t ErrorOfBarrierAnswer(HRESULT answer) {
  return answer == E_OUTOFMEMORY ? platform::kErrorNotEnoughMemory : platform::kErrorGenFailure;
}

}  // namespace

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
  return Slot([&] {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPrintOemPS) {
      *object = static_cast<IPrintOemPS*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  });
}

ULONG RenderPlugin::AddRef() {
  return CountSlot([&] { return static_cast<ULONG>(++references_); });
}

ULONG RenderPlugin::Release() {
  return CountSlot([&] {
    const int32_t remaining = --references_;
    if (remaining == 0) delete this;
    return static_cast<ULONG>(remaining);
  });
}

HRESULT RenderPlugin::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
  return Slot([&] { return AnswerGetInfo(mode, buffer, size, needed); });
}

HRESULT RenderPlugin::DevMode(DWORD mode, OEMDMPARAM* param) {
  return Slot([&] { return settings::AnswerDevModeRequest(mode, param); });
}

HRESULT RenderPlugin::EnableDriver(DWORD, DWORD, DRVENABLEDATA* data) {
  return Slot([&] {
    if (data == nullptr) return E_FAIL;
    data->iDriverVersion = PRINTER_OEMINTF_VERSION;
    data->c = static_cast<ULONG>(kHookCount);
    data->pdrvfn = HookTable();
    return S_OK;
  });
}

HRESULT RenderPlugin::DisableDriver() {
  return Slot([&] {
    ReleaseHostInterface();
    return S_OK;
  });
}

HRESULT RenderPlugin::EnablePDEV(DEVOBJ* devobj, PWSTR, ULONG, HSURF*, ULONG, GDIINFO*, ULONG,
                                 DEVINFO*, DRVENABLEDATA* hostFunctions, PDEVOEM* state) {
  return Slot([&] {
    if (state == nullptr) return E_FAIL;
    // Owned here until handed over, so that a failure on the way frees it.
    std::unique_ptr<DeviceState> device(new (std::nothrow) DeviceState());
    if (device == nullptr) return E_FAIL;
    TakeHostFunctions(hostFunctions, device.get());
    if (devobj != nullptr) device->ppd = OpenPrinterPpd(devobj->hPrinter);
    *state = device.release();
    return S_OK;
  });
}

HRESULT RenderPlugin::DisablePDEV(DEVOBJ* devobj) {
  return Slot([&] {
    delete StateOf(devobj);
    if (devobj != nullptr) devobj->pdevOEM = nullptr;
    return S_OK;
  });
}

HRESULT RenderPlugin::ResetPDEV(DEVOBJ*, DEVOBJ*) {
  return Slot([] { return S_OK; });
}

HRESULT RenderPlugin::PublishDriverInterface(IUnknown* driverInterface) {
  return Slot([&] {
    if (hostInterface_ != nullptr) return S_OK;
    if (driverInterface == nullptr) return E_FAIL;
    void* answer = nullptr;
    if (driverInterface->QueryInterface(IID_IPrintOemDriverPS, &answer) != S_OK ||
        answer == nullptr) {
      return E_FAIL;
    }
    hostInterface_ = static_cast<IPrintOemDriverPS*>(answer);
    return S_OK;
  });
}

HRESULT RenderPlugin::Command(DEVOBJ* devobj, DWORD index, PVOID, DWORD, PDWORD result) {
  // An exception out of the dispatch is a failed dispatch like any other: S_FALSE, with
  // what went wrong as the last error in `result`.
  const HRESULT answer = CallBarrier(
      [&] { return DispatchInjection(hostInterface_, devobj, index) ? S_OK : S_FALSE; });
  if (answer != S_OK && answer != S_FALSE) {
    platform::SetLastErrorCode(ErrorOfBarrierAnswer(answer));
  }
  if (result != nullptr) *result = answer == S_OK ? 0 : platform::GetLastErrorCode();
  return answer == S_OK ? S_OK : S_FALSE;
}

}  // namespace kx::ps
