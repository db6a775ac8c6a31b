// Finding and creating features and options in the parse state.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ppd/entry.h"
#include "ppd/parse_state.h"
#include "ppd/status.h"

namespace kx::ppd {

// The predefined features by number, and row 7 for every other feature.
struct FeatureKind {
  std::string_view keyword;
  uint32_t optionSize;
  uint16_t uiType;
};
inline constexpr std::array<FeatureKind, kPredefinedFeatureCount + 1> kFeatureKinds = {{
    {"PageSize", sizeof(PpdPageSizeOption), kUiPickOne},
    {"InputSlot", sizeof(PpdInputSlotOption), kUiPickOne},
    {"ManualFeed", sizeof(PpdOption), kUiBoolean},
    {"Duplex", sizeof(PpdOption), kUiPickOne},
    {"Collate", sizeof(PpdOption), kUiBoolean},
    {"Resolution", sizeof(PpdResolutionOption), kUiPickOne},
    {"VMOption", sizeof(PpdVmOption), kUiPickOne},
    {"", sizeof(PpdOption), kUiPickOne},
}};

// The predefined number of `keyword`, or kOtherFeature.
uint16_t PredefinedNumber(std::string_view keyword);

// The feature of that number (0-6), or named `keyword` when the number is 7 (a
// predefined keyword then selects its predefined feature); created at the end of the
// list when absent. Null only when the arena is exhausted.
ParsedFeature* FindFeature(Parser& parser, uint16_t number, std::string_view keyword);

// The option named by the entry's option keyword under the feature found as above for
// the entry's keyword, created with its (hex-decoded) translation when absent; an
// existing option without a translation takes the entry's.
Status FindOption(Parser& parser, uint16_t number, const PpdEntry& entry, ParsedOption** option);

// The same under a feature already in hand, as the entries of an open feature are.
Status FindOptionOf(Parser& parser, ParsedFeature& feature, const PpdEntry& entry,
                    ParsedOption** option);

// Sizes the option index for a file of `bytes` bytes from the density of options in
// PPD files (one in every few hundred bytes), so that a large file's index is not grown
// and refilled many times over. Only speed depends on the guess.
void ReserveOptionIndex(Parser& parser, uint32_t bytes);

// Lookups without creation, through the parser's name indexes.
ParsedFeature* LookupFeature(const Parser& parser, std::string_view keyword);
ParsedOption* LookupOption(const Parser& parser, const ParsedFeature& feature,
                           std::string_view keyword);

}  // namespace kx::ppd
