#include "feature_keyword.h"

#include <string_view>

namespace kx::ui {
namespace {

constexpr char kInstalled[] = "True";
constexpr char kNotInstalled[] = "False";
// The memory feature has no flag: the host's choice of it is kept as it is.
constexpr char kMemoryFeature[] = "OptionalMemory";
constexpr uint8_t kLineFeed = 0x0A;

bool EndsString(uint8_t byte) { return byte == 0 || byte == kLineFeed; }

// The stored strings in order: each NUL or line feed ends one (so two in a row give an
// empty string), and bytes after the last terminator are a string of their own.
std::vector<std::string_view> StoredStrings(std::span<const uint8_t> stored) {
  std::vector<std::string_view> strings;
  const char* text = reinterpret_cast<const char*>(stored.data());
  size_t start = 0;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (!EndsString(stored[i])) continue;
    strings.emplace_back(text + start, i - start);
    start = i + 1;
  }
  if (start < stored.size()) strings.emplace_back(text + start, stored.size() - start);
  return strings;
}

// Reads the strings one at a time; past the end it gives empty strings.
class StringCursor {
 public:
  explicit StringCursor(std::span<const uint8_t> stored) : strings_(StoredStrings(stored)) {}
  bool AtEnd() const { return next_ >= strings_.size(); }
  std::string_view Take() { return AtEnd() ? std::string_view() : strings_[next_++]; }

 private:
  std::vector<std::string_view> strings_;
  size_t next_ = 0;
};

void AppendPair(std::string_view feature, std::string_view option, std::vector<uint8_t>* out) {
  out->insert(out->end(), feature.begin(), feature.end());
  out->push_back(0);
  out->insert(out->end(), option.begin(), option.end());
  out->push_back(0);
  out->push_back(kLineFeed);
}

bool IsInstalled(std::string_view feature, const InstalledFlags& flags) {
  const InstallableOption* option = InstallableOptionOf(feature, KeywordMatch::kPrefixButBin);
  return option != nullptr && flags[option->flag] != 0;
}

}  // namespace

std::vector<uint8_t> RewriteFeatureKeyword(std::span<const uint8_t> stored,
                                           const InstalledFlags& flags) {
  std::vector<uint8_t> rewritten;
  rewritten.reserve(stored.size() + 64);
  StringCursor cursor(stored);
  while (!cursor.AtEnd()) {
    const std::string_view feature = cursor.Take();
    if (IsInstalled(feature, flags)) {
      cursor.Take();  // the stored choice gives way to the flag
      AppendPair(feature, kInstalled, &rewritten);
    } else if (feature.starts_with(kMemoryFeature)) {
      AppendPair(feature, cursor.Take(), &rewritten);
    } else if (feature.empty() || feature == kNotInstalled) {
      // Line feeds of an earlier rewrite, and a stray option, stand for no feature.
    } else {
      cursor.Take();
      AppendPair(feature, kNotInstalled, &rewritten);
    }
  }
  rewritten.push_back(0);
  rewritten.push_back(0);
  return rewritten;
}

}  // namespace kx::ui
