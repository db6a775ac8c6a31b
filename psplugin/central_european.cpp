#include "central_european.h"

#include <algorithm>
#include <climits>

#include "platform/codepage.h"

namespace kx::ps {
namespace {

struct LetterByte {
  char16_t unit;
  uint8_t byte;
};

constexpr LetterByte kCentralEuropeanLetters[] = {
    {u'\u010C', 0xC8}, {u'\u010D', 0xE8}, {u'\u011A', 0xCC}, {u'\u011B', 0xEC},
    {u'\u0158', 0xD8}, {u'\u0159', 0xF8}, {u'\u0160', 0x8A}, {u'\u0161', 0x9A},
    {u'\u016E', 0xD9}, {u'\u016F', 0xF9}, {u'\u017D', 0x8E}, {u'\u017E', 0x9E},
};

std::string ToOemCodePage(std::u16string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  const int needed = platform::WideCharToMultiByte(platform::kCpOemCp, 0, text.data(), length,
                                                   nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<size_t>(needed), '\0');
  const int written = platform::WideCharToMultiByte(platform::kCpOemCp, 0, text.data(), length,
                                                    bytes.data(), needed, nullptr, nullptr);
  bytes.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return bytes;
}

}  // namespace

std::optional<uint8_t> CentralEuropeanByte(char16_t unit) {
  for (const LetterByte& letter : kCentralEuropeanLetters) {
    if (letter.unit == unit) return letter.byte;
  }
  return std::nullopt;
}

uint8_t CentralEuropeanFix(char16_t unit, uint8_t converted) {
  if (const auto mapped = CentralEuropeanByte(unit)) return *mapped;
  if (unit < 0x100) return static_cast<uint8_t>(unit);
  return converted;
}

std::string HexDigits(std::string_view bytes) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte == 0) break;
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::string OemHexText(std::u16string_view text) {
  std::string bytes = ToOemCodePage(text);
  if (platform::AnsiCodePage() == kCentralEuropeanCodePage) {
    // Byte i is fixed from unit i. A multi-byte OEM code page does not keep the two in
    // step; only bytes the conversion produced are touched.
    const size_t count = std::min(bytes.size(), text.size());
    for (size_t i = 0; i < count; ++i) {
      bytes[i] = static_cast<char>(CentralEuropeanFix(text[i], static_cast<uint8_t>(bytes[i])));
    }
  }
  return HexDigits(bytes);
}

}  // namespace kx::ps
