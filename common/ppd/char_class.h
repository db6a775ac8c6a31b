// The character classes of PPD text, one table lookup per byte.
#pragma once

#include <array>
#include <cstdint>

namespace kx::ppd {

inline constexpr uint8_t kClassPrintable = 0x01;
inline constexpr uint8_t kClassKeyword = 0x02;
inline constexpr uint8_t kClassOption = 0x04;
inline constexpr uint8_t kClassTranslation = 0x08;
inline constexpr uint8_t kClassBlank = 0x10;
inline constexpr uint8_t kClassNewline = 0x20;
inline constexpr uint8_t kClassHexLetter = 0x40;
inline constexpr uint8_t kClassDigit = 0x80;

namespace detail {

constexpr uint8_t ClassOf(unsigned c) {
  if (c >= '0' && c <= '9') return 0x8F;
  if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) return 0x4F;
  if (c == '/') return 0x0B;  // ends option keywords; keywords and translations keep it
  if (c == ':') return 0x01;  // ends every token
  if (c == '\t' || c == ' ') return 0x19;
  if (c == '\n' || c == '\r') return 0x21;
  if (c >= 0x21 && c <= 0x7E) return 0x0F;
  // A translation is text in the file's LanguageEncoding (ISO 8859-1, Shift-JIS, code page
  // 949 and the like), so it keeps every byte of 0x80 and above; keywords and option
  // keywords stay ASCII.
  if (c >= 0x80 && c <= 0xFF) return 0x08;
  return 0x00;  // controls and DEL
}

constexpr std::array<uint8_t, 256> MakeClassTable() {
  std::array<uint8_t, 256> table{};
  for (unsigned c = 0; c < table.size(); ++c) table[c] = ClassOf(c);
  return table;
}

}  // namespace detail

inline constexpr std::array<uint8_t, 256> kCharClasses = detail::MakeClassTable();

inline bool HasClass(uint8_t c, uint8_t classes) { return (kCharClasses[c] & classes) != 0; }
inline bool HasClass(char c, uint8_t classes) { return HasClass(static_cast<uint8_t>(c), classes); }

inline bool IsLineEnd(uint8_t c) { return HasClass(c, kClassNewline); }

}  // namespace kx::ppd
