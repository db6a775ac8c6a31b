// The device settings page's communication check: the printer's address from the port
// configuration, then the printer asked over SNMP, and the status text that says how it
// went.
#include "device/device_settings_state.h"
#include "device/printer_address.h"
#include "dialog_routines.h"
#include "platform/dialogs.h"
#include "settings/record_text.h"

namespace kx::ui {
namespace {

// The texts are kept in code page 949.
constexpr char kChecking[] =  // 양방향 프린터 통신 체크 중
    "\xBE\xE7\xB9\xE6\xC7\xE2\x20\xC7\xC1\xB8\xB0\xC5\xCD\x20\xC5\xEB\xBD\xC5\x20\xC3\xBC\xC5"
    "\xA9\x20\xC1\xDF";
constexpr char kSetUp[] =  // 양방향 프린터 통신이 설정되었습니다
    "\xBE\xE7\xB9\xE6\xC7\xE2\x20\xC7\xC1\xB8\xB0\xC5\xCD\x20\xC5\xEB\xBD\xC5\xC0\xCC\x20\xBC"
    "\xB3\xC1\xA4\xB5\xC7\xBE\xFA\xBD\xC0\xB4\xCF\xB4\xD9";
constexpr char kCannotSetUp[] =  // 양방향 프린터 통신을 설정할 수 없습니다
    "\xBE\xE7\xB9\xE6\xC7\xE2\x20\xC7\xC1\xB8\xB0\xC5\xCD\x20\xC5\xEB\xBD\xC5\xC0\xBB\x20\xBC"
    "\xB3\xC1\xA4\xC7\xD2\x20\xBC\xF6\x20\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9";

}  // namespace

std::u16string CommunicationStatusText(uint32_t status) {
  switch (status) {
    case device::kStatusChecking:
      return ToUtf16(kChecking);
    case device::kStatusAnswered:
      return ToUtf16(kSetUp);
    default:
      // No address, no community, or the printer did not answer.
      return ToUtf16(kCannotSetUp);
  }
}

// Runs on the page's thread and holds it while the printer is asked. Whatever the
// answer, the page is left as usable as before: a printer that does not answer only
// changes the status text, and the option lists stay editable.
void DeviceSettingsPage::CheckCommunication() {
  const std::u16string found = device::LookUpPrinterAddress(PrinterNameOfContext(*context_));
  if (!found.empty()) {
    settings::StoreText(working_.printerAddress, found);
    platform::SetDlgItemText(page_, kPrinterAddressEdit,
                             std::u16string(settings::FieldText(working_.printerAddress)));
  }
  status_ = device::kStatusChecking;
  ShowStatus();
  const std::u16string_view community = settings::FieldText(working_.snmpCommunity);
  const std::u16string_view address = settings::FieldText(working_.printerAddress);
  if (community.empty() || address.empty()) {
    status_ = device::kStatusNoAddress;
  } else {
    answer_ = device::AskPrinter(community, address);
    status_ = answer_.status;
  }
  ShowStatus();
}

void DeviceSettingsPage::ShowStatus() {
  platform::SetDlgItemText(page_, kCommunicationStatus, CommunicationStatusText(status_));
}

}  // namespace kx::ui
