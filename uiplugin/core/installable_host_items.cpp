// The installed flags put into the host's own installable-option items, so that the host
// stores the same choices as the device settings page shows.
#include <string>

#include "host_item_access.h"
#include "installable_options.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr char kInstalledKeyword[] = "True";
constexpr char kNotInstalledKeyword[] = "False";

// The feature's option of that keyword, wherever the PPD lists it.
const ppd::PpdOption* OptionNamed(const ppd::PpdImage* ppd, const ppd::PpdFeature& feature,
                                  std::string_view keyword) {
  for (const ppd::PpdOption* option = ppd::FirstOption(ppd, &feature); option != nullptr;
       option = ppd::NextOption(ppd, option)) {
    const char* optionKeyword = ppd::String(ppd, option->keyword);
    if (optionKeyword != nullptr && keyword == optionKeyword) return option;
  }
  return nullptr;
}

// Selects the choice that shows True or False; an item without such a choice keeps its
// selection.
void SelectInstalledChoice(const ppd::PpdImage* ppd, const ppd::PpdFeature& feature,
                           bool installed, OPTITEM& item) {
  const ppd::PpdOption* option =
      OptionNamed(ppd, feature, installed ? kInstalledKeyword : kNotInstalledKeyword);
  if (option == nullptr) return;
  const LONG choice = ChoiceOfOption(item, ppd, *option);
  if (choice < 0) return;
  item.Sel = choice;
  item.Flags |= OPTIF_CHANGED;
}

}  // namespace

void PutInstalledFlagsIntoHostItems(const PageSetContext& context, const ppd::PpdImage* ppd,
                                    const InstalledFlags& flags) {
  if (context.commonUi == nullptr) return;
  const std::span<OPTITEM> items = HostItemsOf(*context.commonUi);
  for (const ppd::PpdFeature* feature : InstallableFeatures(ppd)) {
    const std::u16string name = FeatureDisplayName(ppd, *feature);
    const InstallableOption* option =
        InstallableOptionOf(KeywordOf(ppd, *feature), KeywordMatch::kNumberedBinPrefix);
    for (OPTITEM& item : items) {
      if (!IsItemNamed(item, name)) continue;
      if (option != nullptr) SelectInstalledChoice(ppd, *feature, flags[option->flag] != 0, item);
      AnnounceItemChange(context.driverInterface, *context.commonUi, &item,
                         OEMCUIP_PRNPROP_UPDATE);
    }
  }
}

}  // namespace kx::ui
