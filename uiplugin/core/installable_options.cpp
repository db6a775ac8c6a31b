#include "installable_options.h"

#include "settings/name_tables.h"
#include "settings/record_ops.h"

namespace kx::ui {
namespace {

constexpr InstallableOption kOptionRows[] = {
    {.keyword = "OptionalDisk", .flag = settings::kHasHardDisk, .kind = KeywordKind::kPlain},
    {.keyword = "Optionalduplexer", .flag = 1, .kind = KeywordKind::kDuplexer},
    {.keyword = "OptionalBin", .flag = 2, .kind = KeywordKind::kBin},
    {.keyword = "OptionalBin1", .flag = 2, .kind = KeywordKind::kNumberedBin},
    {.keyword = "OptionalBin2", .flag = 3, .kind = KeywordKind::kNumberedBin},
    {.keyword = "OptionalBin3", .flag = 4, .kind = KeywordKind::kNumberedBin},
    {.keyword = "OptionalBin4", .flag = 5, .kind = KeywordKind::kNumberedBin},
    {.keyword = "OptionalBin5", .flag = 6, .kind = KeywordKind::kNumberedBin},
    {.keyword = "Optionalfeeder", .flag = 7, .kind = KeywordKind::kPlain},
    {.keyword = "Optionalenvelope", .flag = 8, .kind = KeywordKind::kPlain},
    {.keyword = "Optionalstacker", .flag = 9, .kind = KeywordKind::kPlain},
    {.keyword = "Optionalfinisher", .flag = 10, .kind = KeywordKind::kPlain},
    {.keyword = "OptionalMailbox", .flag = 11, .kind = KeywordKind::kPlain},
    {.keyword = "Optionalmultires", .flag = 12, .kind = KeywordKind::kPlain},
};

// The features whose PPD defaults fill a new block, in the order they are read; the
// other flags start at 0 (an envelope feeder, for one, is never assumed).
struct DefaultedFeature {
  const char* keyword;
  size_t flag;
};
constexpr DefaultedFeature kDefaultedFeatures[] = {
    {"OptionalBin", 2}, {"OptionalBin2", 3}, {"OptionalDisk", settings::kHasHardDisk},
    {"Optionalduplexer", 1}, {"Optionalfeeder", 7},
};

bool MayBeFollowedByMore(KeywordKind kind, KeywordMatch match) {
  switch (match) {
    case KeywordMatch::kWhole:
      return false;
    case KeywordMatch::kNumberedBinPrefix:
      return kind == KeywordKind::kNumberedBin;
    case KeywordMatch::kDuplexerPrefix:
      return kind == KeywordKind::kDuplexer;
    case KeywordMatch::kPrefixButBin:
      return kind != KeywordKind::kBin;
  }
  return false;
}

// The keyword of the feature's default option as the PPD library's callers find it: the
// default index followed from the first option the prefix search gives.
const char* DefaultOptionKeyword(const ppd::PpdImage* ppd, const ppd::PpdFeature& feature,
                                 const char* keyword) {
  const ppd::PpdOption* option = ppd::PpdFindOptions(ppd, keyword);
  for (uint32_t step = 0; option != nullptr && step < feature.defaultIndex; ++step) {
    option = ppd::NextOption(ppd, option);
  }
  return option != nullptr ? ppd::String(ppd, option->keyword) : nullptr;
}

}  // namespace

const std::span<const InstallableOption> kInstallableOptions{kOptionRows};

const InstallableOption* InstallableOptionOf(std::string_view featureKeyword, KeywordMatch match) {
  for (const InstallableOption& option : kInstallableOptions) {
    const bool matches = MayBeFollowedByMore(option.kind, match)
                             ? featureKeyword.starts_with(option.keyword)
                             : featureKeyword == option.keyword;
    if (matches) return &option;
  }
  return nullptr;
}

bool IsInstalledOption(std::string_view optionKeyword) {
  constexpr uint32_t kInstalled = 1;  // True in the boolean table
  return settings::OptionValue(settings::kBooleanTable, optionKeyword) == kInstalled;
}

std::vector<const ppd::PpdFeature*> InstallableFeatures(const ppd::PpdImage* ppd) {
  std::vector<const ppd::PpdFeature*> features;
  if (ppd == nullptr) return features;
  for (const ppd::PpdFeature* feature = ppd::FirstFeature(ppd); feature != nullptr;
       feature = ppd::NextFeature(ppd, feature)) {
    if (feature->installable != 0) features.push_back(feature);
  }
  return features;
}

std::string_view KeywordOf(const ppd::PpdImage* ppd, const ppd::PpdFeature& feature) {
  const char* keyword = ppd::String(ppd, feature.keyword);
  return keyword != nullptr ? std::string_view(keyword) : std::string_view();
}

void DefaultDeviceOptions(settings::DeviceOptions* options, const ppd::PpdImage* ppd) {
  if (options == nullptr) return;
  settings::SetDeviceOptionsDefaults(options);
  if (ppd == nullptr) return;
  for (const DefaultedFeature& defaulted : kDefaultedFeatures) {
    const ppd::PpdFeature* feature = ppd::PpdFindFeature(ppd, defaulted.keyword);
    if (feature == nullptr) continue;
    const char* optionKeyword = DefaultOptionKeyword(ppd, *feature, defaulted.keyword);
    options->installedOptions[defaulted.flag] =
        optionKeyword != nullptr && IsInstalledOption(optionKeyword) ? 1 : 0;
  }
}

}  // namespace kx::ui
