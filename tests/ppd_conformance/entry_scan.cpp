#include "ppd_conformance/entry_scan.h"

#include <utility>

namespace kx::ppd::conformance {
namespace {

// Main keywords whose entries our library files under a predefined feature, creating it
// when it does not exist yet.
constexpr std::pair<std::string_view, std::string_view> kPredefinedEntries[] = {
    {"PageSize", "PageSize"},        {"DefaultPageSize", "PageSize"},
    {"PageRegion", "PageSize"},      {"ImageableArea", "PageSize"},
    {"PaperDimension", "PageSize"},  {"InputSlot", "InputSlot"},
    {"DefaultInputSlot", "InputSlot"}, {"RequiresPageRegion", "InputSlot"},
    {"Collate", "Collate"},          {"DefaultCollate", "Collate"},
    {"Duplex", "Duplex"},            {"DefaultDuplex", "Duplex"},
    {"ManualFeed", "ManualFeed"},    {"DefaultManualFeed", "ManualFeed"},
    {"Resolution", "Resolution"},    {"DefaultResolution", "Resolution"},
    {"JCLResolution", "Resolution"}, {"DefaultJCLResolution", "Resolution"},
    {"SetResolution", "Resolution"}, {"ResScreenAngle", "Resolution"},
    {"ResScreenFreq", "Resolution"}, {"InstalledMemory", "VMOption"},
    {"VMOption", "VMOption"},
};

bool EndsName(char c) { return c == ' ' || c == '\t' || c == ':' || c == '/'; }

std::string_view LeadingName(std::string_view text) {
  size_t end = 0;
  while (end < text.size() && !EndsName(text[end])) ++end;
  return text.substr(0, end);
}

// The name after the blanks that follow a main keyword: the option keyword of an entry,
// or the feature an OpenUI entry names (without its leading '*').
std::string_view NameAfterBlanks(std::string_view rest) {
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  if (!rest.empty() && rest.front() == '*') rest.remove_prefix(1);
  return LeadingName(rest);
}

size_t CountQuotes(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += c == '"';
  return count;
}

void Record(std::map<std::string, size_t, std::less<>>& map, std::string_view key,
            size_t offset) {
  if (!key.empty() && map.find(key) == map.end()) map.emplace(key, offset);
}

std::string_view FeatureFiledUnder(std::string_view keyword) {
  const std::string_view predefined = PredefinedFeatureOf(keyword);
  return predefined.empty() ? keyword : predefined;
}

// The option keyword after the main keyword, when the entry has one.
std::string_view OptionName(std::string_view rest) {
  if (rest.empty() || (rest.front() != ' ' && rest.front() != '\t')) return {};
  return NameAfterBlanks(rest);
}

void RecordOption(std::string_view keyword, std::string_view rest, size_t offset,
                  EntryPositions& positions) {
  const std::string_view option = OptionName(rest);
  if (option.empty()) return;
  positions.firstOption.emplace(
      std::make_pair(std::string(FeatureFiledUnder(keyword)), std::string(option)), offset);
}

// The translation of an entry whose option keyword is `option`, from `rest` on.
std::string_view TranslationAfter(std::string_view rest, std::string_view option) {
  rest.remove_prefix(rest.find(option) + option.size());
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  if (rest.empty() || rest.front() != '/') return {};
  rest.remove_prefix(1);
  return rest.substr(0, rest.find(':'));
}

// The unquoted value of `rest` (what follows the main keyword) without blanks around it.
std::string_view PlainValue(std::string_view rest) {
  const size_t colon = rest.find(':');
  if (colon == std::string_view::npos) return {};
  rest.remove_prefix(colon + 1);
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r')) {
    rest.remove_suffix(1);
  }
  return rest;
}

// Entries whose text the comparison needs besides their place.
void RecordText(std::string_view keyword, std::string_view rest, EntryPositions& positions) {
  if (keyword == "LanguageEncoding" && positions.languageEncoding.empty()) {
    positions.languageEncoding = PlainValue(rest);
  } else if (keyword == "VMOption") {
    const std::string_view option = OptionName(rest);
    if (option.empty()) return;
    positions.vmOptionTranslations.try_emplace(std::string(option),
                                               TranslationAfter(rest, option));
  }
}

// One line that starts an entry: its main keyword and, for OpenUI, the feature it names.
void ScanEntry(std::string_view line, size_t offset, EntryPositions& positions) {
  const std::string_view keyword = LeadingName(line.substr(1));
  RecordText(keyword, line.substr(1 + keyword.size()), positions);
  if (keyword == "OpenUI" || keyword == "JCLOpenUI") {
    const std::string_view opened = NameAfterBlanks(line.substr(1 + keyword.size()));
    Record(positions.openUi, opened, offset);
    if (OpenUiIgnored(opened)) return;
    Record(positions.firstEntry, FeatureFiledUnder(opened), offset);
    return;
  }
  Record(positions.firstEntry, PredefinedFeatureOf(keyword), offset);
  RecordOption(keyword, line.substr(1 + keyword.size()), offset, positions);
}

}  // namespace

std::string_view PredefinedFeatureOf(std::string_view keyword) {
  for (const auto& [entry, feature] : kPredefinedEntries) {
    if (entry == keyword) return feature;
  }
  return {};
}

bool OpenUiIgnored(std::string_view keyword) {
  return keyword == "Duplex" || keyword == "Collate" || keyword == "ManualFeed";
}

size_t EntryPositions::OptionEntry(std::string_view feature, std::string_view option) const {
  const auto found = firstOption.find(std::make_pair(std::string(feature), std::string(option)));
  return found == firstOption.end() ? kNotFound : found->second;
}

EntryPositions ScanEntries(std::string_view text) {
  EntryPositions positions;
  bool insideQuotes = false;  // a quoted value that runs over several lines
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (insideQuotes) {
      insideQuotes = CountQuotes(line) % 2 == 0;
    } else if (line.size() > 1 && line[0] == '*' && line[1] != '%') {
      // Query entries create nothing, but their values span lines like any other.
      if (line[1] != '?') ScanEntry(line, start, positions);
      const size_t colon = line.find(':');
      insideQuotes = colon != std::string_view::npos && CountQuotes(line.substr(colon)) % 2 == 1;
    }
    start = end + 1;
  }
  return positions;
}

}  // namespace kx::ppd::conformance
