// The PostScript fonts the library records, numbered by their row from 1.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kx::ppd {

inline constexpr uint16_t kFontTableSize = 258;

extern const std::array<std::string_view, kFontTableSize> kFontNames;

// The font's number (1-258), or 0 for a font not in the table.
uint16_t FontNumber(std::string_view name);

}  // namespace kx::ppd
