// What the printer's answers mean to the pages: the installed options that the scalar
// query decides, and how a supply record is shown on the consumables page.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "device/snmp_status.h"
#include "settings/record.h"

namespace kx::device {

// An installable option that the scalar query decides.
struct AnsweredOption {
  const char* keyword;  // the PPD keyword
  size_t flag;          // index into installedOptions
  size_t row;           // the deciding row of the scalar query table
  bool needsMoreThanOne;  // installed only when the row's value is above 1
};

// In the order the decisions are applied.
inline constexpr std::array<AnsweredOption, 7> kAnsweredOptions = {{
    {"OptionalBin1", 2, kRowOptionalTray1, false},
    {"OptionalBin2", 3, kRowOptionalTray2, false},
    {"Optionalfeeder", 7, kRowOptionalFeeder, false},
    {"OptionalDisk", settings::kHasHardDisk, kRowHardDisk, false},
    {"Optionalduplexer", 1, kRowDuplexer, false},
    {"Optionalfinisher", 10, kRowFinisher, false},
    {"Optionalmultires", 12, kRowMultiResolution, true},
}};

// Whether the answered rows say the option is installed: its row answered (a value
// other than -1), or for the multiple-resolution option answered with a value above 1.
// A table too short for the row answers nothing.
bool IsOptionInstalled(const AnsweredOption& option, std::span<const ScalarQueryRow> rows);

// Sets each decided flag to 1 or 0; the other flags keep their values.
void ApplyAnsweredOptions(std::span<const ScalarQueryRow> rows,
                          uint8_t (&installedOptions)[settings::kInstalledOptionCount]);

// The consumables page's groups, by prtMarkerSuppliesType.
enum class SupplyGroup { kNotShown, kToner, kPrintUnit };
inline constexpr int32_t kSupplyTypeToner = 3;
inline constexpr int32_t kSupplyTypeWasteToner = 4;
inline constexpr int32_t kSupplyTypePhotoconductor = 9;
SupplyGroup GroupOfSupply(int32_t type);

// A maximum of -2: the printer gives no capacity, and the level is told by a state word.
inline constexpr int32_t kNoCapacity = -2;

// What a supply's row shows besides its name.
struct SupplyDisplay {
  enum class Kind {
    kNothing,    // no number, bar or text
    kPercent,    // a bar at `percent` and the text "N %"
    kStateWord,  // a state word in place of the number
    kUnitText,   // the record's unit text
  };
  SupplyGroup group = SupplyGroup::kNotShown;
  Kind kind = Kind::kNothing;
  int64_t percent = 0;
  std::u16string text;  // the percent text, the state word or the unit text
};

// level x 100 / maximum, truncated toward zero, computed wide enough for any level; 0
// for a maximum of 0, which is never divided by.
int64_t SupplyPercent(int32_t level, int32_t maximum);

// The row as the consumables page shows the record. Toner and waste toner: nothing for
// a maximum of 0 or a negative one other than -2 (no measure to show); for a maximum of
// -2 the state word of the level (0 "가득 참", 1 "거의 찼음", -3 "준비됨"; no word for any
// other level); else the percent. Print units: the unit text for a maximum of 0 or a
// negative one other than -2, else the percent. Other types are not shown.
SupplyDisplay DescribeSupply(const SupplyRecord& record);

// A text field of a supply record (8-bit text in the system's ANSI code page) as UTF-16,
// at most `maxCharacters` characters.
std::u16string SupplyText(const char (&field)[kSupplyTextSize], size_t maxCharacters);

// The name label's text: the description, at most 128 characters.
inline constexpr size_t kSupplyNameCharacters = 128;

}  // namespace kx::device
