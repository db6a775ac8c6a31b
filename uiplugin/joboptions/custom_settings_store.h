// Custom document settings: named copies of the whole settings record, kept per printer in
// the per-user store. A stored value is a reserved head followed by the record; a value
// comes from another time, version or hand, so it is checked before it becomes a job's
// record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/record.h"

namespace kx::ui {

// The store under the printer's key (see PrinterStorePath).
inline constexpr char16_t kCustomSettingsStore[] = u"CustomSettings";
// A stored setting: kCustomSettingHeadSize reserved bytes (written as zeros, ignored when
// read), then the record byte for byte.
inline constexpr size_t kCustomSettingHeadSize = 220;
inline constexpr size_t kCustomSettingSize = kCustomSettingHeadSize + sizeof(settings::PrivateRecord);
static_assert(kCustomSettingSize == 6036);
// The longest name a setting is stored under.
inline constexpr size_t kCustomSettingNameLimit = 31;

// Stores the record under the name; the store's status.
uint32_t StoreCustomSetting(std::u16string_view name, const settings::PrivateRecord& record,
                            std::u16string_view printer);
// The stored record when the value exists, is a binary value of exactly the setting's size
// and holds a record this plug-in can use (see IsUsableStoredRecord); false, `record`
// unchanged, otherwise.
bool LoadCustomSetting(std::u16string_view name, std::u16string_view printer,
                       settings::PrivateRecord* record);
bool RemoveCustomSetting(std::u16string_view name, std::u16string_view printer);
// The names of the printer's stored settings, in the store's order.
std::vector<std::u16string> ListCustomSettings(std::u16string_view printer);

// Whether a record read from a store may become a job's record: its header (signature,
// size, version) is this plug-in's, every text field is terminated within its array and
// every number the rendering plug-in depends on lies within its range.
bool IsUsableStoredRecord(const settings::PrivateRecord& record);

}  // namespace kx::ui
