// The host's service interface that the UI plug-in receives through
// PublishDriverInterface. It records what the plug-in asks of the host (item updates,
// registry upgrades) and answers the current option of a feature from settings a test
// gives it.
#pragma once

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "host/oemui.h"

namespace kx::hostsim {

// One DrvUpdateUISetting call. The item's selection is read at the call, since the
// plug-in sets it before it announces the change.
struct UiSettingUpdate {
  host::PVOID driverObject = nullptr;
  host::OPTITEM* item = nullptr;
  host::LONG selectionAtCall = 0;
  host::DWORD previousSelection = 0;
  host::DWORD mode = 0;
};

// One DrvUpgradeRegistrySetting call.
struct RegistryUpgrade {
  host::HANDLE printer = nullptr;
  std::string feature;
  std::string option;
};

class DriverUIInterface final : public host::IPrintOemDriverUI {
 public:
  DriverUIInterface() = default;
  DriverUIInterface(const DriverUIInterface&) = delete;
  DriverUIInterface& operator=(const DriverUIInterface&) = delete;

  host::HRESULT KX_STDCALL QueryInterface(const host::IID& iid, void** object) override;
  host::ULONG KX_STDCALL AddRef() override;
  host::ULONG KX_STDCALL Release() override;
  // The feature's current option keyword as one NUL-terminated string (one option
  // returned). A buffer too small for it (or none) gives E_FAIL with last error 122 and
  // the size needed; a feature without a setting gives E_FAIL with last error 87.
  host::HRESULT KX_STDCALL DrvGetDriverSetting(host::PVOID driverObject, host::PCSTR feature,
                                               host::PVOID output, host::DWORD size,
                                               host::PDWORD needed,
                                               host::PDWORD optionsReturned) override;
  host::HRESULT KX_STDCALL DrvUpgradeRegistrySetting(host::HANDLE printer, host::PCSTR feature,
                                                     host::PCSTR option) override;
  host::HRESULT KX_STDCALL DrvUpdateUISetting(host::PVOID driverObject, host::PVOID optItem,
                                              host::DWORD previousSelection,
                                              host::DWORD mode) override;

  // What DrvGetDriverSetting answers for `feature` (a PPD feature keyword).
  void SetDriverSetting(const std::string& feature, const std::string& option);

  const std::vector<UiSettingUpdate>& updates() const { return updates_; }
  const std::vector<RegistryUpgrade>& upgrades() const { return upgrades_; }
  void ClearRecords();
  int32_t references() const { return references_.load(); }

 private:
  std::atomic<int32_t> references_{1};
  std::map<std::string, std::string, std::less<>> settings_;
  std::vector<UiSettingUpdate> updates_;
  std::vector<RegistryUpgrade> upgrades_;
};

}  // namespace kx::hostsim
