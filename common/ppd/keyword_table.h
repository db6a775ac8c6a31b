// The PPD keywords the library understands: 63 rows, each with its handler, feature
// number and entry shape, found through a hash-probe index built at compile time.
#pragma once

#include <array>
#include <cstdint>
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

const std::array<KeywordRow, kKeywordRowCount>& KeywordRows();

// The row of `keyword`, or kNoKeywordRow.
uint32_t LookupKeyword(std::string_view keyword);

// The index slot the lookup of `keyword` starts from.
uint32_t KeywordHomeSlot(std::string_view keyword);

// Whether the entry has the option keyword and value type the shape asks for.
bool ShapeFits(uint16_t shape, const PpdEntry& entry);

// Clears the rows' processed marks for a new load.
void PrepareKeywordTable(Parser& parser);

}  // namespace kx::ppd
