#include "hostsim/driver_ui_interface.h"

#include <cstring>

#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::hostsim {

using namespace host;

HRESULT DriverUIInterface::QueryInterface(const IID& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPrintOemDriverUI) {
    *object = static_cast<IPrintOemDriverUI*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DriverUIInterface::AddRef() { return static_cast<ULONG>(++references_); }

// The simulator owns the object; the count only shows that the plug-in balances its
// references.
ULONG DriverUIInterface::Release() { return static_cast<ULONG>(--references_); }

HRESULT DriverUIInterface::DrvGetDriverSetting(PVOID, PCSTR feature, PVOID output, DWORD size,
                                               PDWORD needed, PDWORD optionsReturned) {
  // Values below 0x10000 are the host's predefined setting numbers rather than feature
  // names; the simulator keeps none of those.
  if (reinterpret_cast<uintptr_t>(feature) < 0x10000) {
    platform::SetLastErrorCode(platform::kErrorInvalidParameter);
    return E_FAIL;
  }
  const auto setting = settings_.find(std::string_view(feature));
  if (setting == settings_.end()) {
    platform::SetLastErrorCode(platform::kErrorInvalidParameter);
    return E_FAIL;
  }
  const std::string& option = setting->second;
  const auto required = static_cast<DWORD>(option.size() + 1);
  if (needed != nullptr) *needed = required;
  if (output == nullptr || size < required) {
    platform::SetLastErrorCode(platform::kErrorInsufficientBuffer);
    return E_FAIL;
  }
  std::memcpy(output, option.c_str(), required);
  if (optionsReturned != nullptr) *optionsReturned = 1;
  return S_OK;
}

HRESULT DriverUIInterface::DrvUpgradeRegistrySetting(HANDLE printer, PCSTR feature, PCSTR option) {
  upgrades_.push_back(
      {printer, feature != nullptr ? feature : "", option != nullptr ? option : ""});
  return S_OK;
}

HRESULT DriverUIInterface::DrvUpdateUISetting(PVOID driverObject, PVOID optItem,
                                              DWORD previousSelection, DWORD mode) {
  auto* item = static_cast<OPTITEM*>(optItem);
  updates_.push_back(
      {driverObject, item, item != nullptr ? item->Sel : 0, previousSelection, mode});
  return S_OK;
}

void DriverUIInterface::SetDriverSetting(const std::string& feature, const std::string& option) {
  settings_[feature] = option;
}

void DriverUIInterface::ClearRecords() {
  updates_.clear();
  upgrades_.clear();
}

}  // namespace kx::hostsim
