#include "printer_items.h"

#include <string>
#include <vector>

#include "host_item_access.h"
#include "installable_options.h"
#include "settings/printer_defaults.h"

namespace kx::ui {
namespace {

using namespace host;

// What the host shows for the table's features that the PPD has.
std::vector<std::u16string> KnownOptionNames(const ppd::PpdImage* ppd) {
  std::vector<std::u16string> names;
  for (const InstallableOption& option : kInstallableOptions) {
    std::u16string name = FeatureDisplayName(ppd, option.keyword);
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

bool Contains(const std::vector<std::u16string>& names, const std::u16string& name) {
  for (const std::u16string& known : names) {
    if (known == name) return true;
  }
  return false;
}

// The host's items of installable features that the table knows; an installable feature
// it does not know (the memory) keeps its item.
void HideKnownOptionItems(const ppd::PpdImage* ppd, std::span<OPTITEM> items) {
  const std::vector<std::u16string> known = KnownOptionNames(ppd);
  for (const ppd::PpdFeature* feature : InstallableFeatures(ppd)) {
    const std::u16string name = FeatureDisplayName(ppd, *feature);
    if (!Contains(known, name)) continue;
    for (OPTITEM& item : items) {
      if (IsItemNamed(item, name)) item.Flags |= OPTIF_HIDE;
    }
  }
}

}  // namespace

HRESULT BuildPrinterItems(OEMCUIPPARAM* param) {
  if (param == nullptr) return S_OK;
  const settings::PpdHandle ppd = settings::OpenPrinterPpd(param->hPrinter);
  if (ppd != nullptr) HideKnownOptionItems(ppd.get(), HostItemsOf(*param));
  param->OEMCUIPCallback = PrinterItemsCallback;
  return S_OK;
}

LONG KX_STDCALL PrinterItemsCallback(CPSUICBPARAM* callback, OEMCUIPPARAM*) {
  if (callback == nullptr) return CPSUICB_ACTION_NONE;
  switch (callback->Reason) {
    case CPSUICB_REASON_APPLYNOW:
      callback->Result = static_cast<ULONG_PTR>(CPSUI_OK);
      return CPSUICB_ACTION_ITEMS_APPLIED;
    case CPSUICB_REASON_SETACTIVE:
      return CPSUICB_ACTION_OPTIF_CHANGED;
    default:
      return CPSUICB_ACTION_NONE;
  }
}

}  // namespace kx::ui
