// The host's callback for its document page: what the record takes from the host's items
// when the user applies or leaves the page, and what the host's colour items take from
// the record.
#include <string>
#include <vector>

#include "document_features.h"
#include "document_items.h"
#include "host/call_barrier.h"
#include "host_item_access.h"
#include "module_state.h"
#include "settings/printer_defaults.h"

namespace kx::ui {

using namespace host;

namespace {

// The banner pages and continue-on-error: on when the item shows its second choice.
void TakeAppliedItems(const OEMCUIPPARAM& param, settings::PrivateRecord* record) {
  if (record == nullptr) return;
  const settings::PpdHandle ppd = settings::OpenPrinterPpd(param.hPrinter);
  if (ppd == nullptr) return;
  for (const AppliedFeature& feature : kAppliedFeatures) {
    const std::u16string name = FeatureDisplayName(ppd.get(), feature.keyword);
    for (const OPTITEM& item : SectionFromEnd(HostItemsOf(param), 0)) {
      if (IsItemNamed(item, name)) record->*feature.field = item.Sel == kFeatureOnChoice ? 1 : 0;
    }
  }
}

LONG OnApply(CPSUICBPARAM& callback, const OEMCUIPPARAM* param) {
  if (param != nullptr) TakeAppliedItems(*param, RecordOf(*param));
  callback.Result = CPSUI_OK;
  return CPSUICB_ACTION_ITEMS_APPLIED;
}

// Pages per sheet and the colour model, which need no PPD.
void TakeFixedItems(const OEMCUIPPARAM& param, settings::PrivateRecord* record) {
  for (const OPTITEM& item : HostItemsOf(param)) {
    if (item.DMPubID == DMPUB_NUP && record != nullptr) {
      const bool booklet = item.Sel >= kNupFirstBookletChoice;
      record->booklet = booklet ? 1 : 0;
      record->nupCode = booklet ? 0 : static_cast<uint16_t>(item.Sel);
    } else if (item.DMPubID == DMPUB_COLOR) {
      Module().hostColourModel = item.Sel == kColourItemColourChoice
                                     ? HostColourModel::kColour
                                     : HostColourModel::kGrayscale;
    }
  }
}

// The first of the colour features whose display name (`names`, in the same order) the
// item has; null for none.
const ColourFeature* ColourFeatureOf(const OPTITEM& item,
                                     const std::vector<std::u16string>& names) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (IsItemNamed(item, names[i])) return &kColourFeatures[i];
  }
  return nullptr;
}

// On a colour printer: the tray-switch choice goes to the printer, and the colour items
// show what the colour settings dialog left in the record.
void PutColourDeviceItems(const OEMCUIPPARAM& param, const ppd::PpdImage* ppd,
                          const settings::PrivateRecord* record) {
  const std::u16string traySwitch = FeatureDisplayName(ppd, kTraySwitchFeature);
  std::vector<std::u16string> colourNames;
  for (const ColourFeature& feature : kColourFeatures) {
    colourNames.push_back(FeatureDisplayName(ppd, feature.keyword));
  }
  IPrintOemDriverUI* driver = DriverInterfaceOf(param);
  for (OPTITEM& item : SectionFromEnd(HostItemsOf(param), 0)) {
    if (IsItemNamed(item, traySwitch)) WriteTraySwitch(param.hPrinter, traySwitch, item.Sel);
    if (record == nullptr) continue;
    if (const ColourFeature* feature = ColourFeatureOf(item, colourNames)) {
      SetHostItem(ppd, feature->keyword, param, driver, &item, *feature->table,
                  record->*feature->field);
    }
  }
}

LONG OnLeave(CPSUICBPARAM& callback, const OEMCUIPPARAM* param) {
  if (param != nullptr) {
    settings::PrivateRecord* record = RecordOf(*param);
    const settings::PpdHandle ppd = settings::OpenPrinterPpd(param->hPrinter);
    TakeFixedItems(*param, record);
    if (IsColourDevice(ppd.get())) PutColourDeviceItems(*param, ppd.get(), record);
  }
  callback.Result = CPSUI_OK;
  return CPSUICB_ACTION_OPTIF_CHANGED;
}

LONG Answer(CPSUICBPARAM* callback, const OEMCUIPPARAM* param) {
  if (callback == nullptr) return CPSUICB_ACTION_NONE;
  switch (callback->Reason) {
    case CPSUICB_REASON_APPLYNOW:
      return OnApply(*callback, param);
    case CPSUICB_REASON_KILLACTIVE:
      return OnLeave(*callback, param);
    default:
      return CPSUICB_ACTION_OPTIF_CHANGED;
  }
}

}  // namespace

LONG KX_STDCALL DocumentItemsCallback(CPSUICBPARAM* callback, OEMCUIPPARAM* param) {
  return ValueBarrier<LONG>([&] { return Answer(callback, param); }, CPSUICB_ACTION_NONE);
}

}  // namespace kx::ui
