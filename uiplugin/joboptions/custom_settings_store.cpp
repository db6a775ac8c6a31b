// Placeholder until the store is built.
#include "joboptions/custom_settings_store.h"

namespace kx::ui {

uint32_t StoreCustomSetting(std::u16string_view, const settings::PrivateRecord&, std::u16string_view) { return 1; }
bool LoadCustomSetting(std::u16string_view, std::u16string_view, settings::PrivateRecord*) { return false; }
bool RemoveCustomSetting(std::u16string_view, std::u16string_view) { return false; }
std::vector<std::u16string> ListCustomSettings(std::u16string_view) { return {}; }
bool IsUsableStoredRecord(const settings::PrivateRecord&) { return false; }

}  // namespace kx::ui
