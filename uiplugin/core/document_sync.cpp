// Setting the host's items from the record: one feature item by the option the record
// names, and the colour and quality items after the plug-in's pages changed them.
#include <string>

#include "document_features.h"
#include "document_items.h"
#include "host_item_access.h"
#include "module_state.h"

namespace kx::ui {

using namespace host;

namespace {

// The options the host lists for a feature; for Resolution those of the PPD's
// resolution feature, which the prefix search does not give when an earlier feature's
// keyword begins with "Resolution".
const ppd::PpdOption* OptionsOf(const ppd::PpdImage* ppd, std::string_view keyword) {
  if (keyword == kResolutionFeature) {
    if (const ppd::PpdFeature* resolution = ppd::PredefinedFeature(ppd, ppd::kResolution)) {
      return ppd::FirstOption(ppd, resolution);
    }
  }
  return ppd::PpdFindOptions(ppd, keyword);
}

const ppd::PpdOption* OptionNamed(const ppd::PpdImage* ppd, std::string_view keyword,
                                  std::string_view optionKeyword) {
  for (const ppd::PpdOption* option = ppd::PpdFindOptions(ppd, keyword); option != nullptr;
       option = ppd::NextOption(ppd, option)) {
    const char* name = ppd::String(ppd, option->keyword);
    if (name != nullptr && optionKeyword == name) return option;
  }
  return nullptr;
}

void MarkSet(OPTITEM& item, LONG selection) {
  item.Sel = selection;
  item.Flags |= OPTIF_CHANGED;
}

// The host's colour item follows the host colour model; a model not yet known leaves it.
bool PutColourModel(OPTITEM& item) {
  const HostColourModel model = Module().hostColourModel;
  if (model == HostColourModel::kColour && item.Sel != kColourItemColourChoice) {
    MarkSet(item, kColourItemColourChoice);
    return true;
  }
  if (model == HostColourModel::kGrayscale && item.Sel == kColourItemColourChoice) {
    MarkSet(item, kColourItemGrayscaleChoice);
    return true;
  }
  return false;
}

// The host's fixed colour and print-quality items, kept in step only for a printer whose
// PPD lists installable features.
void PutFixedItems(const OEMCUIPPARAM& param, const ppd::PpdImage* ppd,
                   const settings::PrivateRecord* record, IPrintOemDriverUI* driver) {
  if (ppd->installableFeatureCount == 0) return;
  for (OPTITEM& item : HostItemsOf(param)) {
    bool changed = false;
    if (item.DMPubID == DMPUB_COLOR) {
      changed = PutColourModel(item);
    } else if (item.DMPubID == DMPUB_PRINTQUALITY && record != nullptr) {
      MarkSet(item, static_cast<LONG>(OptionIndex(ppd, settings::kQualityTable,
                                                  kResolutionFeature, record->qualityMode)));
      changed = true;
    }
    if (changed) AnnounceItemChange(driver, param, &item, OEMCUIP_DOCPROP);
  }
}

void PutQualityModeItem(const OEMCUIPPARAM& param, const ppd::PpdImage* ppd,
                        const settings::PrivateRecord* record, IPrintOemDriverUI* driver) {
  if (record == nullptr) return;
  const std::u16string name = FeatureDisplayName(ppd, kQualityModeFeature);
  for (OPTITEM& item : SectionFromEnd(HostItemsOf(param), 0)) {
    if (!IsItemNamed(item, name)) continue;
    item.Sel = static_cast<LONG>(
        OptionIndex(ppd, settings::kQualityTable, kQualityModeFeature, record->qualityMode));
    AnnounceItemChange(driver, param, &item, OEMCUIP_DOCPROP);
  }
}

}  // namespace

uint32_t OptionIndex(const ppd::PpdImage* ppd, settings::NameTable table,
                     std::string_view keyword, uint32_t value) {
  const char* name = settings::OptionName(table, value);
  if (ppd == nullptr || name == nullptr) return 0;
  uint32_t index = 0;
  for (const ppd::PpdOption* option = OptionsOf(ppd, keyword); option != nullptr;
       option = ppd::NextOption(ppd, option), ++index) {
    const char* optionKeyword = ppd::String(ppd, option->keyword);
    if (optionKeyword != nullptr && std::string_view(optionKeyword).starts_with(name)) {
      return index;
    }
  }
  return 0;
}

void SetHostItem(const ppd::PpdImage* ppd, std::string_view keyword, const OEMCUIPPARAM& param,
                 IPrintOemDriverUI* driver, OPTITEM* item, settings::NameTable table,
                 uint32_t value) {
  const char* name = settings::OptionName(table, value);
  if (ppd == nullptr || item == nullptr || name == nullptr) return;
  const ppd::PpdOption* option = OptionNamed(ppd, keyword, name);
  if (option == nullptr) return;
  const LONG choice = ChoiceOfOption(*item, ppd, *option);
  if (choice < 0 || item->Sel == choice) return;
  item->Sel = choice;
  AnnounceItemChange(driver, param, item, OEMCUIP_DOCPROP);
}

void ResynchroniseHostItems(const PageSetContext& context) {
  if (context.commonUi == nullptr || context.ppd == nullptr) return;
  const OEMCUIPPARAM& param = *context.commonUi;
  const settings::PrivateRecord* record = RecordOf(param);
  PutFixedItems(param, context.ppd, record, context.driverInterface);
  PutQualityModeItem(param, context.ppd, record, context.driverInterface);
}

}  // namespace kx::ui
