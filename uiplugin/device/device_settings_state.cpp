// The device settings page's life: the saved and working copies of the device options
// block, the edits, and the sheet's activation, Apply, leaving and Cancel.
#include <memory>

#include "device/device_settings_page.h"
#include "device/device_settings_state.h"
#include "installable_options.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "settings/field_table.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr char16_t kWinlogonKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char16_t kDefaultUserNameValue[] = u"DefaultUserName";

std::u16string ReadEdit(HWND page, int id) {
  std::u16string text = platform::GetDlgItemText(page, id);
  if (text.size() > kEditReadCharacters) text.resize(kEditReadCharacters);
  return text;
}

}  // namespace

std::u16string DefaultLogonUserName() {
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::OpenRegistryKey(platform::Hive::kLocalMachine, kWinlogonKey, &key) !=
      platform::kErrorSuccess) {
    return std::u16string();
  }
  char16_t buffer[kLogonNameBytes / sizeof(char16_t)] = {};
  uint32_t type = 0;
  uint32_t size = kLogonNameBytes;
  if (key->QueryValue(kDefaultUserNameValue, &type, reinterpret_cast<uint8_t*>(buffer), &size) !=
          platform::kErrorSuccess ||
      type != platform::kRegSz) {
    return std::u16string();
  }
  // A value stored without its terminator still ends within what was read.
  return std::u16string(settings::FieldText(buffer, size / sizeof(char16_t)));
}

DeviceSettingsPage::DeviceSettingsPage(HWND page, PageSetContext* context)
    : page_(page), context_(context) {}

HWND DeviceSettingsPage::Item(int id) const { return platform::GetDlgItem(page_, id); }

void DeviceSettingsPage::OnInit() {
  platform::ApplyControlLimits(page_, DeviceSettingsPageSpec());
  ReadSavedCopy();
  working_ = saved_;
  FillOptionLists(page_, context_->ppd, &working_);
  ShowDefaultUserName();
}

void DeviceSettingsPage::ReadSavedCopy() {
  if (!settings::ReadStoredDeviceOptions(context_->commonUi->hPrinter, &saved_)) {
    DefaultDeviceOptions(&saved_, context_->ppd);
  }
}

// The jobs carry the name of the user who is logged on by default; without one the
// stored name stays, though the box shows none.
void DeviceSettingsPage::ShowDefaultUserName() {
  const std::u16string name = DefaultLogonUserName();
  if (name.empty()) return;
  settings::StoreText(working_.userName, name);
  platform::SetDlgItemText(page_, kUserNameEdit,
                           std::u16string(settings::FieldText(working_.userName)));
}

void DeviceSettingsPage::OnCommand(int id, UINT code) {
  if (code == BN_CLICKED || code == LBN_SELCHANGE || code == EN_KILLFOCUS) ReportChange();
  if (code == EN_KILLFOCUS) {
    OnEditLeft(id);
  } else if (code == LBN_SELCHANGE &&
             (id == kAvailableOptionsList || id == kInstalledOptionsList)) {
    OnSelectionChanged(id);
  } else if (code == BN_CLICKED && id == kAddOptionButton) {
    OnAdd();
  } else if (code == BN_CLICKED && id == kRemoveOptionButton) {
    OnRemove();
  }
}

void DeviceSettingsPage::OnEditLeft(int id) {
  switch (id) {
    case kHostNameEdit:
      settings::StoreText(working_.hostName, ReadEdit(page_, id));
      break;
    case kChargeNumberEdit:
      settings::StoreText(working_.chargeNumber, ReadEdit(page_, id));
      break;
    case kPrinterAddressEdit:
      // The port configuration's address, when there is one, replaces the typed one.
      settings::StoreText(working_.printerAddress, ReadEdit(page_, id));
      status_ = device::kStatusChecking;
      CheckCommunication();
      break;
    default:
      break;
  }
}

INT_PTR DeviceSettingsPage::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case PSN_SETACTIVE:
      OnSetActive();
      return 0;
    case PSN_APPLY:
      return OnApply();
    case PSN_KILLACTIVE:
      // The other pages and the document sheet read the block from the printer data.
      StoreWorkingCopy();
      return 0;
    case PSN_RESET:
      settings::WriteStoredDeviceOptions(context_->commonUi->hPrinter, saved_);
      return 0;
    default:
      return 0;
  }
}

void DeviceSettingsPage::OnSetActive() {
  CheckCommunication();
  if (status_ == device::kStatusAnswered) TakeAnsweredOptions();
}

INT_PTR DeviceSettingsPage::OnApply() {
  settings::FillDeviceTextCopies(&working_, settings::DeviceText::kUserName);
  settings::FillDeviceTextCopies(&working_, settings::DeviceText::kHostName);
  settings::FillDeviceTextCopies(&working_, settings::DeviceText::kChargeNumber);
  StoreWorkingCopy();
  saved_ = working_;
  if (context_->addPage != nullptr) {
    context_->addPage(context_->propertySheet, CPSFUNC_SET_RESULT,
                      static_cast<LPARAM>(context_->firstPage), static_cast<LPARAM>(CPSUI_OK));
  }
  platform::SendMessage(platform::GetParent(page_), PSM_UNCHANGED,
                        reinterpret_cast<WPARAM>(page_), 0);
  platform::SetWindowLongPtr(page_, DWLP_MSGRESULT, PSNRET_NOERROR);
  return 1;
}

// A failed write goes unnoticed: the page has nothing better to offer the user.
void DeviceSettingsPage::StoreWorkingCopy() {
  settings::WriteStoredDeviceOptions(context_->commonUi->hPrinter, working_);
}

void DeviceSettingsPage::ReportChange() {
  platform::SendMessage(platform::GetParent(page_), PSM_CHANGED, reinterpret_cast<WPARAM>(page_),
                        0);
}

}  // namespace kx::ui
