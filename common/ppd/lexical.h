// The lexical routines that keyword handlers use to pick numbers and words out of a
// value, and the name hash of every named record.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

#include "ppd/char_class.h"
#include "ppd/ppd.h"
#include "ppd/status.h"

namespace kx::ppd {

// h = h * 2 XOR c over the name's bytes, in 32 bits. Four bytes are combined among
// themselves before they meet the running hash, which then waits on one step per four
// bytes instead of one per byte; the result is the same.
constexpr uint32_t NameHash(std::string_view name) {
  const auto byte = [&name](size_t at) { return uint32_t{static_cast<uint8_t>(name[at])}; };
  uint32_t hash = 0;
  size_t at = 0;
  for (; name.size() - at >= 4; at += 4) {
    hash = (hash << 4) ^ (byte(at) << 3) ^ (byte(at + 1) << 2) ^ (byte(at + 2) << 1) ^ byte(at + 3);
  }
  for (; at < name.size(); ++at) hash = (hash << 1) ^ byte(at);
  return hash;
}

namespace detail {

// `count` bytes (at most 8) of the text from `at`, the first in the lowest bits.
constexpr uint64_t LoadLittle(std::string_view text, size_t at, size_t count) {
  uint64_t word = 0;
  if (!std::is_constant_evaluated() && count == sizeof word) {
    std::memcpy(&word, text.data() + at, sizeof word);
  } else if (!std::is_constant_evaluated() && count == sizeof(uint32_t)) {
    uint32_t half = 0;
    std::memcpy(&half, text.data() + at, sizeof half);
    word = half;
  } else {
    for (size_t i = 0; i < count; ++i) {
      word |= uint64_t{static_cast<uint8_t>(text[at + i])} << (8 * i);
    }
  }
  return word;
}
static_assert(std::endian::native == std::endian::little,
              "tables keyed at compile time must match the keys of loaded words");

}  // namespace detail

// A key for the fixed tables looked up by name (keywords, fonts): the name's length and
// its first and last (up to) eight bytes, in a few steps where NameHash waits on every
// byte in turn. Names alike at both ends share a key and are told apart by comparing
// them.
constexpr uint32_t ShortNameKey(std::string_view name) {
  constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
  const size_t count = name.size() >= 8 ? 8 : name.size() >= 4 ? 4 : name.size();
  const uint64_t first = detail::LoadLittle(name, 0, count);
  const uint64_t last = detail::LoadLittle(name, name.size() - count, count);
  const uint64_t mixed = ((first * kMultiplier) ^ last ^ name.size()) * kMultiplier;
  return static_cast<uint32_t>(mixed >> 32);
}

// Handlers take words of at most 39 characters; the rest of a longer word is skipped.
inline constexpr uint32_t kWordCapacity = 40;
struct Word {
  char text[kWordCapacity] = {};
  uint16_t length = 0;

  std::string_view view() const { return {text, length}; }
  bool empty() const { return length == 0; }
};

// Skips blanks, stores the next blank-separated word (at most capacity - 1 characters,
// NUL-terminated) and leaves *cursor on the character after the word. Line ends are not
// separators. Returns the stored length, 0 at the end of the text.
uint16_t NextWord(const char** cursor, uint32_t capacity, char* out);
// The same into a Word.
Word NextWord(const char** cursor);

// Optional -, then at least one decimal digit; stops at the first non-digit. A negative
// number gives 0.
Status ParseInteger(const char* text, uint32_t* value);
// Optional -, digits, optional . and fraction digits (the first five count), at least one
// digit in all; 24.8 fixed point rounded to the nearest 1/256. A negative number gives 0.
Status ParseFixed(const char* text, Fixed* value);

// Fills every element of `values` from the next words of the text; kSyntax when a word
// is missing or not a number.
Status ParseFixedWords(const char* text, std::span<Fixed> values);

// Whether the `count` bytes at `a` equal those at `b`; both must hold that many. Eight
// bytes at a time, the last eight overlapping those already compared, so that a name
// costs a compare or two instead of a compare per byte of its tail.
inline bool SameBytesOverlapping(const char* a, const char* b, size_t count) {
  const auto load8 = [](const char* at) {
    uint64_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
  };
  const auto load4 = [](const char* at) {
    uint32_t word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
  };
  if (count >= sizeof(uint64_t)) {
    for (size_t at = 0; at + sizeof(uint64_t) < count; at += sizeof(uint64_t)) {
      if (load8(a + at) != load8(b + at)) return false;
    }
    return load8(a + count - sizeof(uint64_t)) == load8(b + count - sizeof(uint64_t));
  }
  if (count >= sizeof(uint32_t)) {
    return load4(a) == load4(b) &&
           load4(a + count - sizeof(uint32_t)) == load4(b + count - sizeof(uint32_t));
  }
  for (size_t at = 0; at < count; ++at) {
    if (a[at] != b[at]) return false;
  }
  return true;
}

// Equality of two names, as SameBytesOverlapping compares them.
inline bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && SameBytesOverlapping(a.data(), b.data(), a.size());
}

// A word of a lookup table and its number.
struct WordValue {
  std::string_view word;
  uint16_t value;
};
using WordTable = std::initializer_list<WordValue>;

// The first row whose word begins `text` and is followed by the end of the text, a NUL
// or a blank; null when no row matches. Inline: the font handler asks twice for each of
// the dozens of fonts a file lists, and its words are found in the first row or two.
inline const WordValue* FindWord(std::span<const WordValue> table, std::string_view text) {
  for (const WordValue& row : table) {
    const size_t length = row.word.size();
    if (text.size() < length || !SameBytesOverlapping(text.data(), row.word.data(), length)) {
      continue;
    }
    if (text.size() == length || text[length] == '\0' || HasClass(text[length], kClassBlank)) {
      return &row;
    }
  }
  return nullptr;
}

// The number of the row FindWord finds; nothing when no row matches.
inline std::optional<uint16_t> LookupWord(std::span<const WordValue> table, std::string_view text) {
  const WordValue* row = FindWord(table, text);
  return row != nullptr ? std::optional<uint16_t>(row->value) : std::nullopt;
}

// The text's first blank-separated word where it stands: blanks before it are skipped,
// and it ends at a blank or a NUL. Empty at the end of the text.
std::string_view FirstWord(const char* text);

// The row whose word is `word` itself; null when no row's is. A pointer rather than an
// optional number: the caller reads the number in a register instead of from a small
// record just stored in pieces, which stalls the load that follows the call.
const WordValue* FindExactWord(std::span<const WordValue> table, std::string_view word);

// The number of the row whose word is `word` itself; nothing when no row's is.
inline std::optional<uint16_t> LookupExactWord(std::span<const WordValue> table,
                                               std::string_view word) {
  const WordValue* row = FindExactWord(table, word);
  return row != nullptr ? std::optional<uint16_t>(row->value) : std::nullopt;
}

// The number of the row for the text's first blank-separated word, looked up where it
// stands. For tables whose words are shorter than the 39 characters NextWord keeps, this
// is LookupWord over NextWord's word without the copy.
inline std::optional<uint16_t> LookupFirstWord(std::span<const WordValue> table,
                                               const char* text) {
  return LookupExactWord(table, FirstWord(text));
}

// The same over a list written at the call; a table looked up for every entry of a kind
// that is frequent is better kept as a constant array, which is not rebuilt each time.
inline std::optional<uint16_t> LookupWord(WordTable table, std::string_view text) {
  return LookupWord(std::span<const WordValue>(table.begin(), table.size()), text);
}

}  // namespace kx::ppd
