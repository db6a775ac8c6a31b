#include "ppd_conformance/expected_features.h"

#include <algorithm>
#include <string_view>

namespace kx::ppd::conformance {
namespace {

constexpr std::string_view kInstallableGroup = "InstallableOptions";

size_t OffsetOr(const std::map<std::string, size_t, std::less<>>& map, std::string_view key) {
  const auto found = map.find(key);
  return found == map.end() ? kNoOffset : found->second;
}

ExpectedFeature& FeatureNamed(std::vector<ExpectedFeature>& features, std::string_view keyword) {
  for (ExpectedFeature& feature : features) {
    if (feature.keyword == keyword) return feature;
  }
  features.push_back({std::string(keyword), false, kNoOffset, {}});
  return features.back();
}

// Installable in our library when the feature's first entry lies in the installable
// group; libcups's group of the first OpenUI entry tells the same for the files compared.
bool ExpectInstallable(const ExpectedFeature& feature, DifferenceCounts& counts) {
  const bool inGroup = feature.contributors.front().option->group == kInstallableGroup;
  if (feature.keyword == "VMOption") {
    if (!inGroup) counts.Count(Difference::kVmOptionAlwaysInstallable);
    return true;
  }
  return inGroup;
}

void Finish(ExpectedFeature& feature, const EntryPositions& positions, DifferenceCounts& counts) {
  std::stable_sort(feature.contributors.begin(), feature.contributors.end(),
                   [](const Contributor& a, const Contributor& b) { return a.openUi < b.openUi; });
  feature.installable = ExpectInstallable(feature, counts);
  if (feature.installable) counts.Count(Difference::kInstallableSortedLast);
  feature.position = OffsetOr(positions.firstEntry, feature.keyword);
  if (feature.position != feature.contributors.front().openUi) {
    counts.Count(Difference::kFeatureCreatedByFirstEntry);
  }
}

}  // namespace

std::vector<ExpectedFeature> ExpectedFeatures(const CupsFile& cups,
                                              const EntryPositions& positions,
                                              DifferenceCounts& counts) {
  std::vector<ExpectedFeature> features;
  for (const CupsOption& option : cups.options) {
    const Filing filing = FilingOf(option.keyword);
    if (filing.why != Difference::kCount) counts.Count(filing.why);
    FeatureNamed(features, filing.feature)
        .contributors.push_back({&option, filing, OffsetOr(positions.openUi, option.keyword)});
  }
  for (ExpectedFeature& feature : features) Finish(feature, positions, counts);
  std::stable_sort(features.begin(), features.end(),
                   [](const ExpectedFeature& a, const ExpectedFeature& b) {
                     if (a.installable != b.installable) return b.installable;
                     return a.position < b.position;
                   });
  return features;
}

}  // namespace kx::ppd::conformance
