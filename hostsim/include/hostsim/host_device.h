// One device instance of the host driver: its public device mode, the plug-in's private
// settings record, the device object handed to every call and the spool it writes to.
#pragma once

#include <string>
#include <vector>

#include "host/oemps.h"
#include "hostsim/driver_interface.h"
#include "hostsim/render_session.h"
#include "platform/spooler.h"
#include "settings/record.h"

namespace kx::hostsim {

// The public device mode fields the plug-in reads.
struct DeviceModeSettings {
  host::SHORT orientation = host::DMORIENT_PORTRAIT;
  host::SHORT paperWidth = 2100;   // tenths of a millimetre
  host::SHORT paperLength = 2970;
  host::SHORT copies = 1;
  host::SHORT defaultSource = 15;
  host::SHORT duplex = host::DMDUP_SIMPLEX;
  host::DWORD mediaType = 256;
};

class HostDevice {
 public:
  HostDevice(RenderSession& session, platform::PrinterHandle printer,
             const DeviceModeSettings& deviceMode);
  // DisablePDEV when the device was enabled.
  ~HostDevice();
  HostDevice(const HostDevice&) = delete;
  HostDevice& operator=(const HostDevice&) = delete;

  // The device-mode sequence: size, defaults, then a merge of `stored` (the settings the
  // host kept; the defaults themselves when null).
  bool PrepareRecord(const std::vector<uint8_t>* stored, std::string* error);
  // EnablePDEV with a host function table that has a start-of-document function.
  bool Enable(std::string* error);
  // The start of the document through the plug-in's hook (null name: none given).
  bool StartDoc(const char16_t* documentName);
  // One injection point; *result (when given) receives the plug-in's result value.
  host::HRESULT Command(host::DWORD index, host::DWORD* result = nullptr);
  // Text the host itself writes into the job (the document being copied).
  void HostWrite(std::string_view text) { sink_.bytes.append(text); }

  settings::PrivateRecord& record();
  std::vector<uint8_t>& recordBytes() { return record_; }
  SpoolSink& spool() { return sink_; }
  host::DEVOBJ& devobj() { return devobj_; }
  host::DEVMODEW& publicDevMode() { return devMode_; }

 private:
  RenderSession& session_;
  platform::PrinterHandle printer_;
  host::DEVMODEW devMode_{};
  std::vector<uint8_t> record_;
  host::DEVOBJ devobj_{};
  SpoolSink sink_;
  bool enabled_ = false;
};

}  // namespace kx::hostsim
