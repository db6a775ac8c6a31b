#include "ppd/model.h"

#include "ppd/lexical.h"
#include "ppd/string_store.h"
#include "ppd/text_compare.h"

namespace kx::ppd {

Parser::Parser() {
  header.languageLevel = 1;
  header.suggestedWaitTimeout = 240;
  header.screenAngle = 45 * 256;
  header.screenFreq = 60 * 256;
}

uint16_t PredefinedNumber(std::string_view keyword) {
  for (uint16_t number = 0; number < kPredefinedFeatureCount; ++number) {
    if (SameText(kFeatureKinds[number].keyword, keyword)) return number;
  }
  return kOtherFeature;
}

// A shortfall of memory here is not a failure: the index then grows as it fills.
void ReserveOptionIndex(Parser& parser, uint32_t bytes) {
  constexpr uint32_t kBytesPerOption = 256;
  parser.optionIndex.Reserve(bytes / kBytesPerOption);
}

ParsedFeature* LookupFeature(const Parser& parser, std::string_view keyword) {
  return parser.featureIndex.Find(MakeNameKey(nullptr, keyword));
}

ParsedOption* LookupOption(const Parser& parser, const ParsedFeature& feature,
                           std::string_view keyword) {
  return parser.optionIndex.Find(MakeNameKey(&feature, keyword));
}

namespace {

ParsedFeature* CreateFeature(Parser& parser, uint16_t number, std::string_view keyword) {
  auto* feature = parser.arena.New<ParsedFeature>();
  if (feature == nullptr ||
      StoreString(&feature->keyword, keyword, parser.arena, StringMode::kPlain) != Status::kOk) {
    return nullptr;
  }
  const FeatureKind& kind = kFeatureKinds[number];
  feature->keywordLength = static_cast<uint32_t>(keyword.size());
  feature->hash = NameHash(keyword);
  feature->number = number;
  feature->optionSize = kind.optionSize;
  feature->uiType = kind.uiType;
  feature->installable = (number == kVmOption || parser.installableGroup) ? 1 : 0;
  if (!parser.featureIndex.Add(MakeNameKey(nullptr, keyword), feature)) return nullptr;
  if (number < kPredefinedFeatureCount) parser.predefined[number] = feature;
  parser.features.Append(feature);
  return feature;
}

void AppendOption(ParsedFeature& feature, ParsedOption* option) {
  option->position = feature.optionCount++;
  if (feature.lastOption == nullptr) {
    feature.options = option;
  } else {
    feature.lastOption->next = option;
  }
  feature.lastOption = option;
}

Status CreateOption(Parser& parser, ParsedFeature& feature, const PpdEntry& entry,
                    const NameKey& key, ParsedOption** created) {
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
  if (!parser.optionIndex.Add(key, option)) return Status::kNoRoom;
  AppendOption(feature, option);
  *created = option;
  return Status::kOk;
}

// The option of `feature` named by the entry's option keyword; the entry's translation
// is known to decode.
Status FindOrCreateOption(Parser& parser, ParsedFeature& feature, const PpdEntry& entry,
                          ParsedOption** option) {
  const NameKey key = MakeNameKey(&feature, entry.option.view());
  ParsedOption* existing = parser.optionIndex.Find(key);
  if (existing == nullptr) return CreateOption(parser, feature, entry, key, option);
  *option = existing;
  if (entry.translation.empty()) return Status::kOk;
  return StoreString(&existing->translation, entry.translation.view(), parser.arena,
                     StringMode::kHexDecode);
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
  return FindOrCreateOption(parser, *feature, entry, option);
}

Status FindOptionOf(Parser& parser, ParsedFeature& feature, const PpdEntry& entry,
                    ParsedOption** option) {
  if (!HexDecodes(entry.translation.view())) return Status::kSyntax;
  return FindOrCreateOption(parser, feature, entry, option);
}

}  // namespace kx::ppd
