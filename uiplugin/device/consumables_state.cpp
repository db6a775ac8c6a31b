#include "device/consumables_state.h"

#include "device/consumables_layout.h"
#include "device/printer_address.h"
#include "installable_options.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"

namespace kx::ui {

namespace {

// The printer serves its own settings pages over HTTP at the address it is asked at.
constexpr char16_t kPrinterPageScheme[] = u"http://";

}  // namespace

ConsumablesPage::ConsumablesPage(host::HWND page, PageSetContext* context)
    : page_(page), context_(context) {}

void ConsumablesPage::OnInit() {
  for (size_t row = 0; row < kSupplyRowCount; ++row) {
    platform::SendDlgItemMessage(page_, SupplyRow(row).bar, host::PBM_SETRANGE, 0,
                                 host::MakeLParam(static_cast<host::WORD>(kBarMinimum),
                                                  static_cast<host::WORD>(kBarMaximum)));
  }
}

void ConsumablesPage::OnSetActive() {
  ReadDeviceOptions();
  Refresh();
}

void ConsumablesPage::OnCommand(int id, host::UINT code) {
  if (code != host::BN_CLICKED) return;
  switch (id) {
    case kRefreshButton:
      Refresh();
      break;
    case kBrowserButton:
      OpenPrinterPage();
      break;
    default:
      break;
  }
}

// The printer's stored options; those built from the PPD when it has none (or the sheet
// names no printer).
void ConsumablesPage::ReadDeviceOptions() {
  const platform::PrinterHandle printer =
      context_ != nullptr && context_->commonUi != nullptr ? context_->commonUi->hPrinter
                                                           : nullptr;
  if (printer == nullptr || !settings::ReadStoredDeviceOptions(printer, &devOpts_)) {
    DefaultDeviceOptions(&devOpts_, context_ != nullptr ? context_->ppd : nullptr);
  }
  address_ = std::u16string(settings::FieldText(devOpts_.printerAddress));
}

// The port configuration's address wins over the stored one, so that the page follows
// the printer when its port is moved. The community goes as it is, also when empty.
void ConsumablesPage::Query() {
  const std::u16string found = device::LookUpPrinterAddress(PrinterName());
  if (!found.empty()) address_ = found;
  answer_ = device::AskPrinter(settings::FieldText(devOpts_.snmpCommunity), address_);
}

void ConsumablesPage::Refresh() {
  Query();
  Show();
  platform::EnableWindow(platform::GetDlgItem(page_, kBrowserButton),
                         answer_.status == device::kStatusAnswered);
}

// Only offered while the printer answers, so the address is the one it answered at.
void ConsumablesPage::OpenPrinterPage() {
  if (answer_.status != device::kStatusAnswered || address_.empty()) return;
  platform::OpenPage(kPrinterPageScheme + address_);
}

std::u16string ConsumablesPage::PrinterName() const {
  return context_ != nullptr ? PrinterNameOfContext(*context_) : std::u16string();
}

}  // namespace kx::ui
