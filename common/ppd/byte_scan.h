// Scanning runs of PPD text many bytes at a time: finding the first of a few byte values
// (line ends, the end of an unquoted value), and the end of a keyword, option keyword or
// translation string. Where the processor has SSE2 (every x86-64 one), sixteen bytes are
// compared at once; then words of eight bytes, each of which gets a mark in the high bit
// of every byte that ends the run, the lowest mark being the first such byte; then single
// bytes. Each step stops at the first byte that ends the run.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "ppd/char_class.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The first marked byte from `p` on, before `end`, eight bytes at a time; null when no
// whole word holds a mark, with `p` moved to where whole words ran out (or left alone when
// the machine is not little-endian: the first byte must sit in the word's low bits). The
// caller's byte loop goes on from there.
template <typename Marks>
const uint8_t* FindFirstMarked(const uint8_t*& p, const uint8_t* end, Marks marks) {
  if constexpr (std::endian::native == std::endian::little) {
    for (; end - p >= 8; p += 8) {
      uint64_t word = 0;
      std::memcpy(&word, p, sizeof word);
      if (const uint64_t found = marks(word); found != 0) return p + std::countr_zero(found) / 8;
    }
  }
  return nullptr;
}

#if defined(__SSE2__)

// The same marks sixteen bytes at a time: a compare sets every bit of a marked byte.
inline __m128i Equal16(__m128i bytes, uint8_t byte) {
  return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(byte)));
}

// Bytes less than `bound` (at least 1), as unsigned values: min(b, bound - 1) is b.
inline __m128i Below16(__m128i bytes, uint8_t bound) {
  return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(static_cast<char>(bound - 1))), bytes);
}

// Bytes greater than `bound` (less than 0xFF): max(b, bound + 1) is b.
inline __m128i Above16(__m128i bytes, uint8_t bound) {
  return _mm_cmpeq_epi8(_mm_max_epu8(bytes, _mm_set1_epi8(static_cast<char>(bound + 1))), bytes);
}

template <uint8_t TokenClass>
inline __m128i MarkRunEnds16(__m128i bytes) {
  const __m128i colons = Equal16(bytes, ':');
  const __m128i outside = _mm_or_si128(Below16(bytes, 0x21), Above16(bytes, 0x7E));
  if constexpr (TokenClass == kClassKeyword) {
    return _mm_or_si128(outside, colons);
  } else if constexpr (TokenClass == kClassOption) {
    return _mm_or_si128(_mm_or_si128(outside, colons), Equal16(bytes, '/'));
  } else {
    static_assert(TokenClass == kClassTranslation);
    const __m128i controls = _mm_andnot_si128(Equal16(bytes, '\t'), Below16(bytes, 0x20));
    return _mm_or_si128(_mm_or_si128(controls, Equal16(bytes, 0x7F)), colons);
  }
}

// The first marked byte from `p` on, sixteen bytes at a time; null when no whole block
// holds a mark, with `p` moved to where whole blocks ran out.
template <typename Marks>
const uint8_t* FindFirstMarked16(const uint8_t*& p, const uint8_t* end, Marks marks) {
  for (; end - p >= 16; p += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto found = static_cast<unsigned>(_mm_movemask_epi8(marks(bytes)));
    if (found != 0) return p + std::countr_zero(found);
  }
  return nullptr;
}

#endif  // __SSE2__

}  // namespace detail

// The scans read the bytes; the load writes into them (the tokenizer its NULs) through
// the pointers they return, which point into the same bytes.
inline uint8_t* Into(uint8_t* p, const uint8_t* found) { return p + (found - p); }

// The first byte from `p` on, before `end`, that is not a blank; `end` when none is.
// Byte by byte: runs of blanks are short.
inline uint8_t* SkipBlankRun(uint8_t* p, uint8_t* end) {
  while (p != end && HasClass(*p, kClassBlank)) ++p;
  return p;
}

#if defined(__SSE2__)
// The bytes among the sixteen at `p` that are one of `Targets`: bit i for byte i.
template <uint8_t... Targets>
uint32_t MarksIn16(const uint8_t* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<uint32_t>(_mm_movemask_epi8((detail::Equal16(bytes, Targets) | ...)));
}
#endif

// The scans below are inlined where they are called: most runs are short, and a call
// sets up its compare constants again each time. Inlined, a small file's load takes some
// 3 % less time.

// The first byte from `p` on, before `end`, that is one of `Targets`; `end` when none is.
template <uint8_t... Targets>
[[gnu::always_inline]] inline const uint8_t* FindFirstOf(const uint8_t* p, const uint8_t* end) {
#if defined(__SSE2__)
  const auto marks16 = [](__m128i bytes) { return (detail::Equal16(bytes, Targets) | ...); };
  if (const uint8_t* found = detail::FindFirstMarked16(p, end, marks16)) return found;
#endif
  const auto marks = [](uint64_t word) { return (detail::MarkEqual(word, Targets) | ...); };
  if (const uint8_t* found = detail::FindFirstMarked(p, end, marks)) return found;
  while (p != end && ((*p != Targets) && ...)) ++p;
  return p;
}

// The first byte from `p` on, before `end`, that lacks `TokenClass` (the keyword, option
// or translation class); `end` when every byte has it.
template <uint8_t TokenClass>
[[gnu::always_inline]] inline const uint8_t* SkipRun(const uint8_t* p, const uint8_t* end) {
#if defined(__SSE2__)
  if (const uint8_t* found = detail::FindFirstMarked16(p, end, detail::MarkRunEnds16<TokenClass>)) {
    return found;
  }
#endif
  if (const uint8_t* found = detail::FindFirstMarked(p, end, detail::MarkRunEnds<TokenClass>)) {
    return found;
  }
  while (p != end && HasClass(*p, TokenClass)) ++p;
  return p;
}

}  // namespace kx::ppd
