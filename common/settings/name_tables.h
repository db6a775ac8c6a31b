// Settings that stand for PPD option keywords are kept as small numbers; these tables
// give the keyword of each number.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kx::settings {

struct NameRow {
  uint32_t number;
  const char* name;
};
using NameTable = std::span<const NameRow>;

extern const NameTable kQualityTable;   // qualityMode
extern const NameTable kBooleanTable;   // miserMode, smoothing, the gray processing flags
extern const NameTable kHalftoneTable;  // graphicsHalftone, imageHalftone
extern const NameTable kIntentTable;    // graphicsIntent, imageIntent

// The number of the first row whose name is a prefix of `keyword` (case-sensitive), or 0.
uint32_t OptionValue(NameTable table, std::string_view keyword);
// The name of the first row with `number`, or null.
const char* OptionName(NameTable table, uint32_t number);

}  // namespace kx::settings
