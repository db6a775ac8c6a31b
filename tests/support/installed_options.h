// Test texts for a printer's installable options: the PPD's installable-options group,
// the host's stored choices as the printer data "FeatureKeyword" holds them, and lists
// of installed flags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "settings/record.h"

namespace kx::test {

// The features inside the PPD's group of installable options.
inline std::string InstallableGroup(const std::string& features) {
  return "*OpenGroup: InstallableOptions/Options Installed\n" + features +
         "*CloseGroup: InstallableOptions\n";
}

// One feature and its option as "FeatureKeyword" stores them.
inline std::string StoredChoice(const std::string& feature, const std::string& option) {
  return feature + '\0' + option + '\0' + '\n';
}

inline std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// The thirteen installed flags, the listed ones set.
using FlagList = std::vector<uint8_t>;
inline FlagList Flags(std::initializer_list<size_t> set) {
  FlagList flags(settings::kInstalledOptionCount, 0);
  for (const size_t flag : set) flags.at(flag) = 1;
  return flags;
}
inline FlagList FlagsOf(const settings::DeviceOptions& options) {
  return FlagList(std::begin(options.installedOptions), std::end(options.installedOptions));
}

}  // namespace kx::test
