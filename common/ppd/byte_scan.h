// Scanning runs of PPD text eight bytes at a time: finding the first of a few byte
// values (line ends, the end of an unquoted value), and the end of a keyword, option
// keyword or translation string. Each word of eight bytes gets a mark in the high bit of
// every byte that ends the run; the lowest mark is the first such byte.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "ppd/char_class.h"

namespace kx::ppd {

namespace detail {

inline constexpr uint64_t kEveryByteOne = 0x0101010101010101u;
inline constexpr uint64_t kEveryByteLow7 = 0x7F7F7F7F7F7F7F7Fu;
inline constexpr uint64_t kEveryByteHighBit = 0x8080808080808080u;

// The marks below are exact for every byte: the sums never exceed 0xFE within a byte,
// so nothing carries into the next one.

// Bytes less than `bound` (at most 0x80).
constexpr uint64_t MarkBelow(uint64_t word, uint8_t bound) {
  const uint64_t sum = (word & kEveryByteLow7) + kEveryByteOne * (0x80u - bound);
  return ~(sum | word) & kEveryByteHighBit;
}

// Bytes greater than `bound` (less than 0x80).
constexpr uint64_t MarkAbove(uint64_t word, uint8_t bound) {
  const uint64_t sum = (word & kEveryByteLow7) + kEveryByteOne * (0x7Fu - bound);
  return (sum | word) & kEveryByteHighBit;
}

constexpr uint64_t MarkEqual(uint64_t word, uint8_t byte) {
  const uint64_t differences = word ^ (kEveryByteOne * byte);
  return ~(((differences & kEveryByteLow7) + kEveryByteLow7) | differences) & kEveryByteHighBit;
}

// The bytes that a run of the character class ends at (char_class.h).
template <uint8_t TokenClass>
constexpr uint64_t MarkRunEnds(uint64_t word) {
  static_assert(TokenClass == kClassKeyword || TokenClass == kClassOption ||
                TokenClass == kClassTranslation);
  const uint64_t colons = MarkEqual(word, ':');
  if constexpr (TokenClass == kClassKeyword) {
    return MarkBelow(word, 0x21) | MarkAbove(word, 0x7E) | colons;
  } else if constexpr (TokenClass == kClassOption) {
    return MarkBelow(word, 0x21) | MarkAbove(word, 0x7E) | colons | MarkEqual(word, '/');
  } else {
    // Bytes of 0x80 and above belong to translations (char_class.h).
    const uint64_t controls = MarkBelow(word, 0x20) & ~MarkEqual(word, '\t');
    return controls | MarkEqual(word, 0x7F) | colons;
  }
}

// The first marked byte from `p` on, before `end`, eight bytes at a time. When no word
// holds a mark, or the machine is not little-endian (the first byte must sit in the
// word's low bits), it returns where whole words ran out, and the caller's byte loop
// goes on from there; that loop also stops at once on a marked byte.
template <typename Marks>
const uint8_t* FindFirstMarked(const uint8_t* p, const uint8_t* end, Marks marks) {
  if constexpr (std::endian::native == std::endian::little) {
    for (; end - p >= 8; p += 8) {
      uint64_t word = 0;
      std::memcpy(&word, p, sizeof word);
      if (const uint64_t found = marks(word); found != 0) return p + std::countr_zero(found) / 8;
    }
  }
  return p;
}

}  // namespace detail

// The first byte from `p` on, before `end`, that is one of `Targets`; `end` when none is.
template <uint8_t... Targets>
const uint8_t* FindFirstOf(const uint8_t* p, const uint8_t* end) {
  p = detail::FindFirstMarked(
      p, end, [](uint64_t word) { return (detail::MarkEqual(word, Targets) | ...); });
  while (p != end && ((*p != Targets) && ...)) ++p;
  return p;
}

// The first byte from `p` on, before `end`, that lacks `TokenClass` (the keyword, option
// or translation class); `end` when every byte has it.
template <uint8_t TokenClass>
const uint8_t* SkipRun(const uint8_t* p, const uint8_t* end) {
  p = detail::FindFirstMarked(p, end, detail::MarkRunEnds<TokenClass>);
  while (p != end && HasClass(*p, TokenClass)) ++p;
  return p;
}

}  // namespace kx::ppd
