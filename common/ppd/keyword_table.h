// The PPD keywords the library understands: 63 rows, each with its handler, feature
// number and entry shape, found through a hash-probe index built at compile time.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "ppd/entry.h"
#include "ppd/parse_state.h"
#include "ppd/status.h"

namespace kx::ppd {

using Handler = Status (*)(Parser& parser, const PpdEntry& entry);

// Shape word of a row: bits 0-2 the value kind, then the option and repeat bits.
inline constexpr uint16_t kValueKindMask = 0x07;
inline constexpr uint16_t kAnyValue = 0;
inline constexpr uint16_t kQuotedValue = 1;
inline constexpr uint16_t kQuotedOrStringValue = 2;
inline constexpr uint16_t kNonEmptyStringValue = 4;
inline constexpr uint16_t kNeedsOption = 0x08;  // and an option is refused without it
inline constexpr uint16_t kRepeatable = 0x10;   // without it (or kNeedsOption) the first wins

struct KeywordRow {
  std::string_view keyword;
  Handler handler;  // null: the keyword is recognised and ignored
  uint16_t featureNumber;
  uint16_t shape;
};

inline constexpr uint32_t kNoKeywordRow = kKeywordRowCount;
inline constexpr uint32_t kKeywordIndexSlots = 128;

extern const std::array<KeywordRow, kKeywordRowCount> kKeywordRows;

// Inline: the dispatcher reads a row for every entry of the file.
inline const std::array<KeywordRow, kKeywordRowCount>& KeywordRows() { return kKeywordRows; }

// The row of the font list's keyword, which the font lines' own reader marks processed.
extern const uint32_t kFontKeywordRow;

// The row of `keyword`, or kNoKeywordRow.
uint32_t LookupKeyword(std::string_view keyword);

// The index slot the lookup of `keyword` starts from.
uint32_t KeywordHomeSlot(std::string_view keyword);

namespace detail {

// The value types each value kind accepts: byte `kind` of the word, bit `type` of the byte.
constexpr uint64_t AcceptedBy(uint16_t kind, std::initializer_list<ValueType> types) {
  uint64_t bits = 0;
  for (const ValueType type : types) {
    bits |= uint64_t{1} << (8 * kind + static_cast<uint32_t>(type));
  }
  return bits;
}
inline constexpr uint64_t kAcceptedValueTypes =
    AcceptedBy(kAnyValue, {ValueType::kNone, ValueType::kQuoted, ValueType::kSymbol,
                           ValueType::kString}) |
    AcceptedBy(kQuotedValue, {ValueType::kQuoted}) |
    AcceptedBy(kQuotedOrStringValue, {ValueType::kQuoted, ValueType::kString}) |
    AcceptedBy(kNonEmptyStringValue, {ValueType::kString});
static_assert(static_cast<uint32_t>(ValueType::kString) < 8, "a value type is a bit of a byte");

}  // namespace detail

// Whether the entry has the option keyword and value type the shape asks for. Inline and
// without branches on the kind, as every dispatched entry is checked.
inline bool ShapeFits(uint16_t shape, const PpdEntry& entry) {
  if (((shape & kNeedsOption) != 0) == entry.option.empty()) return false;
  const uint32_t kind = shape & kValueKindMask;
  const uint32_t bit = 8 * kind + static_cast<uint32_t>(entry.valueType);
  if (((detail::kAcceptedValueTypes >> bit) & 1) == 0) return false;
  return kind != kNonEmptyStringValue || !entry.value.empty();
}

// Clears the rows' processed marks for a new load.
void PrepareKeywordTable(Parser& parser);

}  // namespace kx::ppd
