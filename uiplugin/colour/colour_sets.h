// Quick colour sets: the six predefined sets, and the user's own sets kept per printer in
// the per-user store, each a copy of the colour settings block of the settings record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialog_routines.h"
#include "settings/record.h"

namespace kx::ui {

// The colour settings block: the record's bytes from colorMode up to imageProcessGray and
// its padding, stored whole as a user set.
inline constexpr size_t kColourBlockOffset = offsetof(settings::PrivateRecord, colorMode);
inline constexpr size_t kColourBlockSize = 1980;
static_assert(kColourBlockOffset == 2500);
static_assert(offsetof(settings::PrivateRecord, colorSetName) ==
              kColourBlockOffset + kColourBlockSize);

// The store under the printer's key (see PrinterStorePath).
inline constexpr char16_t kColourSetStore[] = u"Color Profiles";

// quickColorSet 0: a user set named by colorSetName; 1 to 6: a predefined set.
inline constexpr uint32_t kUserColourSet = 0;
// The predefined sets: value = id (1 to 6), text = name (code page 949).
extern const TextTable kPredefinedColourSets;
// "사용자" (User): the set the dialog saves by itself.
std::u16string UserColourSetName();

// Writes the predefined set `record->quickColorSet` names into the block (with the
// profiles turned off); id 0 (a user set) changes nothing.
void ApplyPredefinedColourSet(settings::PrivateRecord* record);

// The user's sets of the printer, in the store's order; none when the store was only
// just made. Values of another type or size are not sets and are left out.
std::vector<std::u16string> ListColourSets(std::u16string_view printer);
// Copies the stored set into the record's block; false (record unchanged) when there is
// no such set or the stored value is not one.
bool LoadColourSet(std::u16string_view name, std::u16string_view printer,
                   settings::PrivateRecord* record);
// Stores the record's block under the name; the store's status.
uint32_t SaveColourSet(std::u16string_view name, std::u16string_view printer,
                       const settings::PrivateRecord& record);
bool DeleteColourSet(std::u16string_view name, std::u16string_view printer);

}  // namespace kx::ui
