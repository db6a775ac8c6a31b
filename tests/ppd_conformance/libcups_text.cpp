#include "ppd_conformance/libcups_text.h"

#include <utility>

namespace kx::ppd::conformance {

std::string AsLibcupsText(std::string_view translation) {
  constexpr size_t kStopAt = 79;
  std::string utf8;
  for (const char c : translation) {
    if (utf8.size() >= kStopAt) break;
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

bool IsLibcupsOptionFallback(std::string_view text, std::string_view keyword) {
  // Untranslated names that libcups replaces by a text of its own (the test runs in the C
  // locale, so these are the English ones).
  constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
      {"PageSize", "Media Size"},    {"MediaType", "Media Type"},
      {"InputSlot", "Media Source"}, {"ColorModel", "Output Mode"},
      {"Resolution", "Resolution"},
  };
  for (const auto& [name, fallback] : kNamed) {
    if (keyword == name) return text == fallback;
  }
  return text == keyword;
}

bool IsLibcupsChoiceFallback(std::string_view text, std::string_view keyword) {
  if (keyword == "True") return text == "Yes";
  if (keyword == "False") return text == "No";
  return text == keyword;
}

}  // namespace kx::ppd::conformance
