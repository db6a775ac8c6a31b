#include "colour/features_page_host.h"

#include "document_features.h"
#include "host_item_access.h"

namespace kx::ui {

using namespace host;

namespace {

// The host's PostScript section comes just before its PPD features' section.
constexpr size_t kPostScriptSectionFromEnd = 1;

}  // namespace

void AlignErrorHandlerItem(const OEMCUIPPARAM& param, const settings::PrivateRecord& record) {
  const LONG wanted = record.printPsErrors != 0 ? kErrorHandlerSend : kErrorHandlerOmit;
  for (OPTITEM& item : SectionFromEnd(HostItemsOf(param), kPostScriptSectionFromEnd)) {
    if (item.Level != kItemLevel || item.HelpIndex != kErrorHandlerHelpIndex) continue;
    item.Flags |= OPTIF_EXT_HIDE;
    if (item.Sel == wanted) continue;
    item.Sel = wanted;
    item.Flags |= OPTIF_CHANGED;
  }
}

}  // namespace kx::ui
