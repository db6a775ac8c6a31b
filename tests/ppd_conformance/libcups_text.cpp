#include "ppd_conformance/libcups_text.h"

#include <iconv.h>

#include <utility>

namespace kx::ppd::conformance {

namespace {

constexpr size_t kTextBytes = 80;  // a text field without its terminator

// The iconv names of the code pages libcups reads LanguageEncoding values as, other than
// ISO 8859-1.
constexpr std::pair<std::string_view, const char*> kIconvCharsets[] = {
    {"ISOLatin2", "ISO-8859-2"},
    {"ISOLatin5", "ISO-8859-5"},
    {"JIS83-RKSJ", "SHIFT_JISX0213"},
    {"MacStandard", "MACINTOSH"},
    {"WindowsANSI", "WINDOWS-1252"},
};

// What iconv makes of `text` in `charset` into an output of kTextBytes: it stops before a
// character that does not fit, or at a byte it cannot convert.
std::string ConvertedByIconv(std::string_view text, const char* charset) {
  const iconv_t converter = iconv_open("UTF-8", charset);
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    return "(iconv cannot read " + std::string(charset) + ")";
  }
  std::string input(text);
  char output[kTextBytes];
  char* in = input.data();
  size_t inLeft = input.size();
  char* out = output;
  size_t outLeft = sizeof output;
  iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  return std::string(output, static_cast<size_t>(out - output));
}

std::string Latin1ToUtf8(std::string_view translation) {
  constexpr size_t kStopAt = kTextBytes - 1;
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

}  // namespace

std::string AsLibcupsText(std::string_view translation, std::string_view languageEncoding) {
  if (languageEncoding.empty() || languageEncoding == "ISOLatin1") {
    return Latin1ToUtf8(translation);
  }
  for (const auto& [name, charset] : kIconvCharsets) {
    if (name == languageEncoding) return ConvertedByIconv(translation, charset);
  }
  return std::string(translation.substr(0, kTextBytes));
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
