// The PostScript fonts the library records, numbered by their row from 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kx::ppd {

inline constexpr uint16_t kFontTableSize = 258;

// The table's names are literals: each ends in a NUL, so that a record may point at a
// name in the table instead of a copy of it.
extern const std::array<std::string_view, kFontTableSize> kFontNames;

// No name in the table is longer.
inline constexpr size_t kLongestFontName = 31;

// The font's number (1-258), or 0 for a font not in the table.
uint16_t FontNumber(std::string_view name);
// The NameHash of font `number`'s name (1-258), kept in the table; 0 for another number.
uint32_t FontNameHash(uint16_t number);

}  // namespace kx::ppd
