#include "host_item_access.h"

#include <vector>

#include "dialog_routines.h"

namespace kx::ui {

using namespace host;

namespace {

// The host shows a feature or option by its translation, or by its keyword when the PPD
// gives none.
std::u16string ShownName(const ppd::PpdImage* ppd, ppd::Ref translation, ppd::Ref keyword) {
  for (const ppd::Ref text : {translation, keyword}) {
    const char* bytes = ppd::String(ppd, text);
    if (bytes != nullptr && *bytes != '\0') return ToUtf16(bytes);
  }
  return {};
}

}  // namespace

std::span<OPTITEM> HostItemsOf(const OEMCUIPPARAM& param) {
  if (param.pDrvOptItems == nullptr) return {};
  return {param.pDrvOptItems, param.cDrvOptItems};
}

std::span<OPTITEM> SectionFromEnd(std::span<OPTITEM> items, size_t n) {
  std::vector<size_t> headers;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].Level == kSectionLevel) headers.push_back(i);
  }
  if (n >= headers.size()) return {};
  const size_t header = headers[headers.size() - 1 - n];
  const size_t end = n == 0 ? items.size() : headers[headers.size() - n];
  return items.subspan(header + 1, end - header - 1);
}

std::u16string FeatureDisplayName(const ppd::PpdImage* ppd, std::string_view keyword) {
  if (ppd == nullptr) return {};
  const ppd::PpdFeature* feature = ppd::PpdFindFeature(ppd, keyword);
  return feature != nullptr ? FeatureDisplayName(ppd, *feature) : std::u16string();
}

std::u16string FeatureDisplayName(const ppd::PpdImage* ppd, const ppd::PpdFeature& feature) {
  return ShownName(ppd, feature.translation, feature.keyword);
}

bool IsItemNamed(const OPTITEM& item, std::u16string_view displayName) {
  return item.Level == kItemLevel && !displayName.empty() && item.pName != nullptr &&
         displayName == item.pName;
}

LONG ChoiceCount(const OPTITEM& item) {
  return item.pOptType != nullptr && item.pOptType->pOptParam != nullptr ? item.pOptType->Count
                                                                          : 0;
}

LONG ChoiceNamed(const OPTITEM& item, std::u16string_view name) {
  if (item.pOptType == nullptr || item.pOptType->pOptParam == nullptr) return -1;
  for (WORD i = 0; i < item.pOptType->Count; ++i) {
    const LPWSTR data = item.pOptType->pOptParam[i].pData;
    if (data != nullptr && name == data) return i;
  }
  return -1;
}

LONG ChoiceOfOption(const OPTITEM& item, const ppd::PpdImage* ppd, const ppd::PpdOption& option) {
  const std::u16string name = ShownName(ppd, option.translation, option.keyword);
  return name.empty() ? -1 : ChoiceNamed(item, name);
}

void AnnounceItemChange(IPrintOemDriverUI* driver, const OEMCUIPPARAM& param, OPTITEM* item,
                        DWORD mode) {
  if (driver != nullptr) driver->DrvUpdateUISetting(param.poemuiobj, item, 0, mode);
}

}  // namespace kx::ui
