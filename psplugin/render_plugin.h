// The rendering plug-in object: the host sizes and defaults the settings record through
// it, makes one per-device state per device instance, and calls it at each injection
// point of the PostScript stream.
#pragma once

#include <atomic>

#include "host/oemps.h"

namespace kx::ps {

class RenderPlugin final : public host::IPrintOemPS {
 public:
  RenderPlugin();
  RenderPlugin(const RenderPlugin&) = delete;
  RenderPlugin& operator=(const RenderPlugin&) = delete;

  host::HRESULT KX_STDCALL QueryInterface(const host::IID& iid, void** object) override;
  host::ULONG KX_STDCALL AddRef() override;
  host::ULONG KX_STDCALL Release() override;
  host::HRESULT KX_STDCALL GetInfo(host::DWORD mode, host::PVOID buffer, host::DWORD size,
                                   host::PDWORD needed) override;
  host::HRESULT KX_STDCALL DevMode(host::DWORD mode, host::OEMDMPARAM* param) override;
  host::HRESULT KX_STDCALL EnableDriver(host::DWORD driverVersion, host::DWORD size,
                                        host::DRVENABLEDATA* data) override;
  host::HRESULT KX_STDCALL DisableDriver() override;
  host::HRESULT KX_STDCALL EnablePDEV(host::DEVOBJ* devobj, host::PWSTR printerName,
                                      host::ULONG patternCount, host::HSURF* patterns,
                                      host::ULONG gdiInfoSize, host::GDIINFO* gdiInfo,
                                      host::ULONG devInfoSize, host::DEVINFO* devInfo,
                                      host::DRVENABLEDATA* hostFunctions,
                                      host::PDEVOEM* state) override;
  host::HRESULT KX_STDCALL DisablePDEV(host::DEVOBJ* devobj) override;
  host::HRESULT KX_STDCALL ResetPDEV(host::DEVOBJ* oldDevobj, host::DEVOBJ* newDevobj) override;
  host::HRESULT KX_STDCALL PublishDriverInterface(host::IUnknown* driverInterface) override;
  host::HRESULT KX_STDCALL Command(host::DEVOBJ* devobj, host::DWORD index, host::PVOID data,
                                   host::DWORD size, host::PDWORD result) override;

 private:
  ~RenderPlugin();
  void ReleaseHostInterface();

  std::atomic<int32_t> references_{1};
  host::IPrintOemDriverPS* hostInterface_ = nullptr;
};

}  // namespace kx::ps
