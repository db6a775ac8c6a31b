// Handlers of the user-interface structure: groups and OpenUI/CloseUI blocks.
#include <string_view>

#include "ppd/char_class.h"
#include "ppd/handlers.h"
#include "ppd/keyword_table.h"
#include "ppd/model.h"

namespace kx::ppd {

namespace {

std::string_view WithoutStar(std::string_view keyword) {
  if (keyword.starts_with('*')) keyword.remove_prefix(1);
  return keyword;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && HasClass(text.back(), kClassBlank)) text.remove_suffix(1);
  return text;
}

bool NamesInstallableOptions(const PpdEntry& entry) {
  return LookupWord({{"InstallableOptions", 1}}, entry.value.c_str()).has_value();
}

}  // namespace

Status OpenGroup(Parser& parser, const PpdEntry& entry) {
  if (!NamesInstallableOptions(entry)) return Status::kOk;
  if (parser.installableGroup) return Status::kSyntax;
  parser.installableGroup = true;
  return Status::kOk;
}

Status CloseGroup(Parser& parser, const PpdEntry& entry) {
  if (!NamesInstallableOptions(entry)) return Status::kOk;
  if (!parser.installableGroup) return Status::kSyntax;
  parser.installableGroup = false;
  return Status::kOk;
}

// Predefined features get their UI type and translation but are not opened: their
// options come through their own keywords. Keywords with rows of their own that are
// not predefined features (Duplex, Collate, ManualFeed...) are left to those rows.
Status OpenUi(Parser& parser, const PpdEntry& entry) {
  parser.openFeature = nullptr;
  const std::string_view name = WithoutStar(entry.option.view());
  if (name.empty()) return Status::kSyntax;
  const uint32_t row = LookupKeyword(name);
  const uint16_t number =
      row == kNoKeywordRow ? uint16_t{kOtherFeature} : KeywordRows()[row].featureNumber;
  if (row != kNoKeywordRow && number == kOtherFeature) return Status::kOk;
  if (!HexDecodes(entry.translation.view())) return Status::kSyntax;
  ParsedFeature* feature = FindFeature(parser, number, name);
  if (feature == nullptr) return Status::kNoRoom;
  if (!entry.translation.empty()) {
    const Status status = StoreString(&feature->translation, entry.translation.view(), parser.arena,
                                      StringMode::kHexDecode);
    if (status != Status::kOk) return status;
  }
  feature->uiType =
      LookupWord({{"PickOne", kUiPickOne}, {"PickMany", kUiPickMany}, {"Boolean", kUiBoolean}},
                 entry.value.c_str())
          .value_or(kUiPickOne);
  if (number == kOtherFeature) {
    if (entry.keyword.view().starts_with("JCL")) feature->flags |= kJclFeature;
    parser.openFeature = feature;
  }
  return Status::kOk;
}

Status CloseUi(Parser& parser, const PpdEntry& entry) {
  const std::string_view name = WithoutStar(WithoutTrailingBlanks(entry.value.view()));
  if (name.empty()) return Status::kSyntax;
  if (parser.openFeature != nullptr) {
    const std::string_view open = KeywordOf(*parser.openFeature);
    if (name.starts_with(open) &&
        (name.size() == open.size() || HasClass(name[open.size()], kClassBlank))) {
      parser.openFeature = nullptr;
      return Status::kOk;
    }
  }
  return LookupKeyword(name) != kNoKeywordRow ? Status::kOk : Status::kSyntax;
}

}  // namespace kx::ppd
