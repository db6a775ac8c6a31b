// The host's service interface that the rendering plug-in receives through
// PublishDriverInterface. DrvWriteSpoolBuf appends to the spool of the device the call
// names.
#pragma once

#include <atomic>
#include <string>

#include "host/oemps.h"

namespace kx::hostsim {

// Where one device instance's job goes. The host keeps it behind the device object's
// engine handle.
struct SpoolSink {
  std::string bytes;
  int pluginWrites = 0;       // DrvWriteSpoolBuf calls
  int startDocCalls = 0;      // the host's own start-of-document function
  std::u16string startDocName;
};

class DriverInterface final : public host::IPrintOemDriverPS {
 public:
  DriverInterface() = default;
  DriverInterface(const DriverInterface&) = delete;
  DriverInterface& operator=(const DriverInterface&) = delete;

  host::HRESULT KX_STDCALL QueryInterface(const host::IID& iid, void** object) override;
  host::ULONG KX_STDCALL AddRef() override;
  host::ULONG KX_STDCALL Release() override;
  host::HRESULT KX_STDCALL DrvGetDriverSetting(host::PVOID driverObject, host::PCSTR feature,
                                               host::PVOID output, host::DWORD size,
                                               host::PDWORD needed,
                                               host::PDWORD optionsReturned) override;
  host::HRESULT KX_STDCALL DrvWriteSpoolBuf(host::DEVOBJ* devobj, host::PVOID buffer,
                                            host::DWORD size, host::DWORD* written) override;

  int32_t references() const { return references_.load(); }

 private:
  std::atomic<int32_t> references_{1};
};

}  // namespace kx::hostsim
