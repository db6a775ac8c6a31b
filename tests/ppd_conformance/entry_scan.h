// Where entries stand in a PPD file's text. libcups files options group by group and keeps
// no file positions; these offsets restore the file order to compare ours with.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace kx::ppd::conformance {

struct EntryPositions {
  // Our feature keyword -> offset of the first entry that creates that feature in our
  // library: its OpenUI or JCLOpenUI entry, or for a predefined feature any entry filed
  // under it.
  std::map<std::string, size_t, std::less<>> firstEntry;
  // Option keyword named by an OpenUI or JCLOpenUI entry -> offset of the first such entry.
  std::map<std::string, size_t, std::less<>> openUi;
  // (our feature keyword, option keyword) -> offset of the first entry naming that option,
  // which is where our library creates it; entries of predefined features count under
  // the feature they are filed under.
  std::map<std::pair<std::string, std::string>, size_t> firstOption;
  // Option keyword of a VMOption entry -> the translation of the first such entry (empty
  // when it has none).
  std::map<std::string, std::string, std::less<>> vmOptionTranslations;
  // The value of the first LanguageEncoding entry; empty when there is none.
  std::string languageEncoding;

  // The offset in firstOption, or kNotFound.
  size_t OptionEntry(std::string_view feature, std::string_view option) const;

  static constexpr size_t kNotFound = static_cast<size_t>(-1);
};

EntryPositions ScanEntries(std::string_view text);

// The predefined feature that our library files entries of main keyword `keyword` under,
// or an empty view for any other keyword.
std::string_view PredefinedFeatureOf(std::string_view keyword);

// Whether our library ignores OpenUI on `keyword` because its own entries fill it.
bool OpenUiIgnored(std::string_view keyword);

}  // namespace kx::ppd::conformance
