// Building the host's document items: hiding what the plug-in's pages replace and taking
// what the printer and the record hold into the items the host keeps showing.
#include "document_items.h"

#include <string>
#include <vector>

#include "document_features.h"
#include "host_item_access.h"
#include "module_state.h"
#include "settings/printer_defaults.h"

namespace kx::ui {

using namespace host;

namespace {

void Hide(OPTITEM& item) { item.Flags |= OPTIF_HIDE; }

// The host's error-handler item stands for the record's printPsErrors, which the
// plug-in's own page edits; the host's copy is hidden and made to agree with it.
void TakeErrorHandler(OPTITEM& item, const settings::PrivateRecord* record) {
  if (item.Level != kItemLevel || item.HelpIndex != kErrorHandlerHelpIndex) return;
  Hide(item);
  if (record == nullptr) return;
  const LONG wanted = record->printPsErrors != 0 ? kErrorHandlerSend : kErrorHandlerOmit;
  if (item.Sel == wanted) return;
  item.Sel = wanted;
  item.Flags |= OPTIF_CHANGED;
}

std::vector<std::u16string> DisplayNames(const ppd::PpdImage* ppd,
                                         std::span<const char* const> keywords) {
  std::vector<std::u16string> names;
  for (const char* keyword : keywords) names.push_back(FeatureDisplayName(ppd, keyword));
  return names;
}

// The PPD features' section: the tray-switch choice the printer keeps, and the items of
// the features the plug-in's pages show instead.
void TakeFeatureItems(std::span<OPTITEM> section, const ppd::PpdImage* ppd,
                      platform::PrinterHandle printer) {
  const std::u16string traySwitch = FeatureDisplayName(ppd, kTraySwitchFeature);
  const std::vector<std::u16string> hidden = DisplayNames(
      ppd, IsColourDevice(ppd) ? kHiddenOnColourDevice : kHiddenOnGrayscaleDevice);
  for (OPTITEM& item : section) {
    if (IsItemNamed(item, traySwitch)) {
      // A stored value that names none of the item's choices would leave the host's
      // item pointing past its list.
      LONG stored = 0;
      if (ReadTraySwitch(printer, traySwitch, &stored) && stored >= 0 &&
          stored < ChoiceCount(item)) {
        item.Sel = stored;
      }
    }
    for (const std::u16string& name : hidden) {
      if (IsItemNamed(item, name)) Hide(item);
    }
  }
}

}  // namespace

HRESULT BuildDocumentItems(OEMCUIPPARAM* param, PageSetContext* context) {
  if (param == nullptr) return S_OK;
  const std::span<OPTITEM> items = HostItemsOf(*param);
  if (items.empty()) return S_OK;
  param->pOEMUserData = context;
  param->OEMCUIPCallback = DocumentItemsCallback;
  const settings::PpdHandle ppd = settings::OpenPrinterPpd(param->hPrinter);
  const settings::PrivateRecord* record = RecordOf(*param);
  if (record != nullptr) {
    Module().hostColourModel = static_cast<HostColourModel>(record->colorMode);
  }

  // The plug-in's features page sets the print quality.
  for (OPTITEM& item : items) {
    if (item.DMPubID == DMPUB_PRINTQUALITY) Hide(item);
  }
  if (ppd == nullptr) return S_OK;
  for (OPTITEM& item : SectionFromEnd(items, 1)) TakeErrorHandler(item, record);
  TakeFeatureItems(SectionFromEnd(items, 0), ppd.get(), param->hPrinter);
  return S_OK;
}

}  // namespace kx::ui
