// Reading the host's own settings items (OPTITEMs): its sections, the item the host built
// for a PPD feature, and telling the host that the plug-in changed an item.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "host/oemui.h"
#include "ppd/ppd.h"

namespace kx::ui {

inline constexpr host::BYTE kSectionLevel = 1;
inline constexpr host::BYTE kItemLevel = 2;

// The host's items of the parameter block; empty when it passes none.
std::span<host::OPTITEM> HostItemsOf(const host::OEMCUIPPARAM& param);

// Section `n` from the end (0: the last one, where the host puts the PPD's features;
// 1: the one before it): the items after that section's level-1 header up to the next
// header. Empty when there are not that many sections.
std::span<host::OPTITEM> SectionFromEnd(std::span<host::OPTITEM> items, size_t n);

// What the host shows for a PPD feature: its translation in UTF-16 (its keyword when the
// PPD gives no translation); empty when the PPD lacks the feature.
std::u16string FeatureDisplayName(const ppd::PpdImage* ppd, std::string_view keyword);
std::u16string FeatureDisplayName(const ppd::PpdImage* ppd, const ppd::PpdFeature& feature);

// Whether `item` is a level-2 item named `displayName` (which must not be empty).
bool IsItemNamed(const host::OPTITEM& item, std::u16string_view displayName);

// How many choices the item lists (0 for one without a type).
host::LONG ChoiceCount(const host::OPTITEM& item);

// The position among the item's choices of the one whose display name is `name`; -1
// when none is.
host::LONG ChoiceNamed(const host::OPTITEM& item, std::u16string_view name);

// The position among the item's choices of the one that shows the PPD option (its
// translation, else its keyword); -1 when there is none.
host::LONG ChoiceOfOption(const host::OPTITEM& item, const ppd::PpdImage* ppd,
                          const ppd::PpdOption& option);

// Tells the host that the plug-in set `item` (previous selection 0), through the driver
// interface with the parameter block's UI object. Nothing without a driver interface.
void AnnounceItemChange(host::IPrintOemDriverUI* driver, const host::OEMCUIPPARAM& param,
                        host::OPTITEM* item, host::DWORD mode);

}  // namespace kx::ui
