// The PostScript fonts the library records, numbered by their row from 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kx::ppd {

inline constexpr uint16_t kFontTableSize = 258;

// No name in the table is longer.
inline constexpr size_t kLongestFontName = 31;

// Each name in a row of its own, padded with NULs to the same size, so that a name is
// copied into an image in one move of a known size.
inline constexpr size_t kFontNameSize = kLongestFontName + 1;
using FontNameBytes = std::array<char, kFontNameSize>;
extern const std::array<FontNameBytes, kFontTableSize> kPaddedFontNames;

// The names where they lie in their rows: each ends in a NUL, so that a record may point
// at a name in the table instead of a copy of it.
extern const std::array<std::string_view, kFontTableSize> kFontNames;

// The font's number (1-258), or 0 for a font not in the table.
uint16_t FontNumber(std::string_view name);
// Each name's NameHash, which every listed font's record carries.
extern const std::array<uint32_t, kFontTableSize> kFontNameHashes;

// The NameHash of font `number`'s name (1-258), kept in the table; 0 for another number.
// Inline, so that recording a font costs a load rather than a call.
inline uint32_t FontNameHash(uint16_t number) {
  return number >= 1 && number <= kFontTableSize ? kFontNameHashes[number - 1] : 0;
}

}  // namespace kx::ppd
