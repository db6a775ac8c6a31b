// 8-bit text of watermarks and banner pages: the Central-European byte mapping that
// systems with the ANSI code page 1250 need, and the uppercase hexadecimal form in which
// such text enters a PostScript hex string "< ... >" (no byte of the text can end it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx::ps {

inline constexpr uint32_t kCentralEuropeanCodePage = 1250;

// The code page 1250 byte of the Czech and Slovak letters that the conversion to the OEM
// code page does not give right; nothing for any other character.
std::optional<uint8_t> CentralEuropeanByte(char16_t unit);

// The byte that replaces `converted` for the UTF-16 unit it came from, on a
// Central-European system: a listed letter gives its mapped byte, a unit below U+0100
// its own value, any other unit keeps the converted byte.
uint8_t CentralEuropeanFix(char16_t unit, uint8_t converted);

// Each byte before the first NUL (all of them when there is none) as two uppercase
// hexadecimal digits.
std::string HexDigits(std::string_view bytes);

// `text` in the system's OEM code page, fixed byte by byte from the text's units when the
// ANSI code page is 1250, as hexadecimal digits. Empty when the code page cannot convert.
std::string OemHexText(std::u16string_view text);

}  // namespace kx::ps
