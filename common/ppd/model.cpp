#include "ppd/model.h"

#include "ppd/lexical.h"
#include "ppd/string_store.h"

namespace kx::ppd {

Parser::Parser() {
  header.languageLevel = 1;
  header.suggestedWaitTimeout = 240;
  header.screenAngle = 45 * 256;
  header.screenFreq = 60 * 256;
}

uint16_t PredefinedNumber(std::string_view keyword) {
  for (uint16_t number = 0; number < kPredefinedFeatureCount; ++number) {
    if (kFeatureKinds[number].keyword == keyword) return number;
  }
  return kOtherFeature;
}

ParsedFeature* LookupFeature(const Parser& parser, std::string_view keyword) {
  const uint32_t hash = NameHash(keyword);
  for (ParsedFeature* feature = parser.features.head; feature != nullptr; feature = feature->next) {
    if (feature->hash == hash && feature->keyword == keyword) return feature;
  }
  return nullptr;
}

ParsedOption* LookupOption(const ParsedFeature& feature, std::string_view keyword) {
  const uint32_t hash = NameHash(keyword);
  for (ParsedOption* option = feature.options; option != nullptr; option = option->next) {
    if (option->hash == hash && option->keyword == keyword) return option;
  }
  return nullptr;
}

namespace {

ParsedFeature* CreateFeature(Parser& parser, uint16_t number, std::string_view keyword) {
  auto* feature = parser.arena.New<ParsedFeature>();
  if (feature == nullptr ||
      StoreString(&feature->keyword, keyword, parser.arena, StringMode::kPlain) != Status::kOk) {
    return nullptr;
  }
  const FeatureKind& kind = kFeatureKinds[number];
  feature->hash = NameHash(keyword);
  feature->number = number;
  feature->optionSize = kind.optionSize;
  feature->uiType = kind.uiType;
  feature->installable = (number == kVmOption || parser.installableGroup) ? 1 : 0;
  if (number < kPredefinedFeatureCount) parser.predefined[number] = feature;
  parser.features.Append(feature);
  return feature;
}

void AppendOption(ParsedFeature& feature, ParsedOption* option) {
  if (feature.lastOption == nullptr) {
    feature.options = option;
  } else {
    feature.lastOption->next = option;
  }
  feature.lastOption = option;
}

Status CreateOption(Parser& parser, ParsedFeature& feature, const PpdEntry& entry,
                    ParsedOption** created) {
  const char* translation = nullptr;
  if (!entry.translation.empty()) {
    const Status status =
        StoreString(&translation, entry.translation.view(), parser.arena, StringMode::kHexDecode);
    if (status != Status::kOk) return status;
  }
  auto* option = parser.arena.New<ParsedOption>();
  if (option == nullptr) return Status::kNoRoom;
  const Status status =
      StoreString(&option->keyword, entry.option.view(), parser.arena, StringMode::kPlain);
  if (status != Status::kOk) return status;
  option->hash = NameHash(entry.option.view());
  option->translation = translation;
  AppendOption(feature, option);
  *created = option;
  return Status::kOk;
}

}  // namespace

ParsedFeature* FindFeature(Parser& parser, uint16_t number, std::string_view keyword) {
  if (number >= kOtherFeature) number = PredefinedNumber(keyword);
  if (number < kPredefinedFeatureCount) {
    if (parser.predefined[number] != nullptr) return parser.predefined[number];
    return CreateFeature(parser, number, kFeatureKinds[number].keyword);
  }
  if (ParsedFeature* feature = LookupFeature(parser, keyword)) return feature;
  return CreateFeature(parser, kOtherFeature, keyword);
}

Status FindOption(Parser& parser, uint16_t number, const PpdEntry& entry, ParsedOption** option) {
  if (!HexDecodes(entry.translation.view())) return Status::kSyntax;  // before anything is made
  ParsedFeature* feature = FindFeature(parser, number, entry.keyword.view());
  if (feature == nullptr) return Status::kNoRoom;
  ParsedOption* existing = LookupOption(*feature, entry.option.view());
  if (existing == nullptr) return CreateOption(parser, *feature, entry, option);
  *option = existing;
  if (entry.translation.empty()) return Status::kOk;
  return StoreString(&existing->translation, entry.translation.view(), parser.arena,
                     StringMode::kHexDecode);
}

}  // namespace kx::ppd
