// The device settings page's two lists of installable options, filled from the PPD and
// the page's working copy of the installed flags.
#include <string>

#include "host_item_access.h"
#include "installable_options.h"
#include "platform/dialogs.h"
#include "settings/record_text.h"

namespace kx::ui {
namespace {

using namespace host;

void ShowAccountingTexts(HWND dialog, const settings::DeviceOptions& working) {
  platform::SetDlgItemText(dialog, kChargeNumberEdit,
                           std::u16string(settings::FieldText(working.chargeNumber)));
  platform::SetDlgItemText(dialog, kHostNameEdit,
                           std::u16string(settings::FieldText(working.hostName)));
  platform::SetDlgItemText(dialog, kPrinterAddressEdit,
                           std::u16string(settings::FieldText(working.printerAddress)));
}

// The item carries the address of its flag, so that moving it between the lists can set
// the flag without looking the feature up again.
void AddOption(HWND dialog, int listId, const std::u16string& name, uint8_t* flag) {
  const LRESULT index = platform::SendDlgItemMessage(dialog, listId, LB_ADDSTRING, 0,
                                                     reinterpret_cast<LPARAM>(name.c_str()));
  if (index < 0) return;
  platform::SendDlgItemMessage(dialog, listId, LB_SETITEMDATA, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(flag));
}

}  // namespace

void FillOptionLists(HWND dialog, const ppd::PpdImage* ppd, settings::DeviceOptions* working) {
  if (working != nullptr) ShowAccountingTexts(dialog, *working);
  platform::SendDlgItemMessage(dialog, kAvailableOptionsList, LB_RESETCONTENT, 0, 0);
  platform::SendDlgItemMessage(dialog, kInstalledOptionsList, LB_RESETCONTENT, 0, 0);
  if (working != nullptr) {
    for (const ppd::PpdFeature* feature : InstallableFeatures(ppd)) {
      const InstallableOption* option =
          InstallableOptionOf(KeywordOf(ppd, *feature), KeywordMatch::kDuplexerPrefix);
      if (option == nullptr) continue;
      uint8_t* flag = &working->installedOptions[option->flag];
      AddOption(dialog, *flag != 0 ? kInstalledOptionsList : kAvailableOptionsList,
                FeatureDisplayName(ppd, *feature), flag);
    }
  }
  // Nothing is selected yet, so there is nothing to add or remove.
  platform::EnableWindow(platform::GetDlgItem(dialog, kAddOptionButton), false);
  platform::EnableWindow(platform::GetDlgItem(dialog, kRemoveOptionButton), false);
}

}  // namespace kx::ui
