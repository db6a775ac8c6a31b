#include "joboptions/custom_settings_store.h"

#include <array>
#include <cstring>
#include <memory>

#include "user_store.h"

namespace kx::ui {
namespace {

// One stored setting as the store holds it: the reserved head, then the record.
struct StoredSetting {
  std::array<uint8_t, kCustomSettingHeadSize> head{};
  settings::PrivateRecord record{};
};
static_assert(offsetof(StoredSetting, record) == kCustomSettingHeadSize);
static_assert(sizeof(StoredSetting) == kCustomSettingSize);

// The printer's store of settings, opened for one operation (created when missing).
PrinterRecordStore Settings(std::u16string_view printer) {
  return PrinterRecordStore(printer, kCustomSettingsStore, static_cast<uint32_t>(kCustomSettingSize),
                            kCustomSettingNameLimit);
}

// The stored record when the value is a setting this plug-in can use.
bool ReadUsable(const PrinterRecordStore& store, std::u16string_view name, StoredSetting* value) {
  return store.Read(name, value) && IsUsableStoredRecord(value->record);
}

}  // namespace

uint32_t StoreCustomSetting(std::u16string_view name, const settings::PrivateRecord& record,
                            std::u16string_view printer) {
  // Large for the stack of a dialog procedure: the value is built on the heap.
  auto value = std::make_unique<StoredSetting>();
  std::memcpy(&value->record, &record, sizeof(record));
  return Settings(printer).Write(name, value.get());
}

bool LoadCustomSetting(std::u16string_view name, std::u16string_view printer,
                       settings::PrivateRecord* record) {
  if (record == nullptr) return false;
  auto value = std::make_unique<StoredSetting>();
  if (!ReadUsable(Settings(printer), name, value.get())) return false;
  std::memcpy(record, &value->record, sizeof(*record));
  return true;
}

bool RemoveCustomSetting(std::u16string_view name, std::u16string_view printer) {
  return Settings(printer).Delete(name);
}

std::vector<std::u16string> ListCustomSettings(std::u16string_view printer) {
  const PrinterRecordStore store = Settings(printer);
  // A value that could not be applied is not offered: choosing it would only overwrite it.
  std::vector<std::u16string> names;
  auto value = std::make_unique<StoredSetting>();
  for (std::u16string& name : store.Names()) {
    if (ReadUsable(store, name, value.get())) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace kx::ui
