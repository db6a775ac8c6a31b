#include "stored_settings.h"

#include "core/user_store.h"
#include "joboptions/custom_settings_store.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/store.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/printer_defaults.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "watermarks/watermark_store.h"

namespace kx::render {
namespace {

constexpr char16_t kDevOptsValue[] = u"DevOpts";

// The size of the stored value `name` in one of the printer's per-user stores; none when
// the store or the value is missing. Only opens: looking never creates a store.
std::optional<uint32_t> StoredValueSize(std::u16string_view printer, std::u16string_view store,
                                        const std::u16string& name) {
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::OpenRegistryKey(platform::Hive::kCurrentUser,
                                ui::PrinterStorePath(printer, store), &key) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  uint32_t type = 0;
  uint32_t size = 0;
  if (key->QueryValue(name, &type, nullptr, &size) != platform::kErrorSuccess) return std::nullopt;
  return size;
}

std::vector<uint8_t> ReadDevOpts(platform::PrinterHandle printer) {
  uint32_t needed = 0;
  uint32_t type = 0;
  if (platform::GetPrinterData(printer, kDevOptsValue, &type, nullptr, 0, &needed) !=
          platform::kErrorMoreData ||
      needed == 0) {
    return {};
  }
  std::vector<uint8_t> bytes(needed);
  if (platform::GetPrinterData(printer, kDevOptsValue, &type, bytes.data(), needed, &needed) !=
      platform::kErrorSuccess) {
    return {};
  }
  bytes.resize(needed);
  return bytes;
}

std::optional<std::string> ReadWatermark(const std::u16string& printer, const std::string& name,
                                         StoredJobSettings* stored) {
  const std::u16string wide = platform::Utf8ToUtf16(name);
  if (!ui::IsPredefinedWatermark(wide) &&
      StoredValueSize(printer, ui::kWatermarkStore, wide) != sizeof(settings::WatermarkRecord)) {
    return "no watermark \"" + name + "\" in the library of printer \"" +
           platform::Utf16ToUtf8(printer) + "\"";
  }
  settings::WatermarkRecord record;
  if (wide == ui::NoWatermarkName()) {
    record = ui::NewWatermarkRecord();
    record.enabled = 0;
  } else {
    record = ui::LoadWatermark(wide, printer);
    record.firstPageOnly = 0;
  }
  stored->watermark = record;
  return std::nullopt;
}

std::optional<std::string> ReadCustomSetting(const std::u16string& printer,
                                             const std::string& name,
                                             StoredJobSettings* stored) {
  const std::u16string wide = platform::Utf8ToUtf16(name);
  const std::string where = "printer \"" + platform::Utf16ToUtf8(printer) + "\"";
  if (!StoredValueSize(printer, ui::kCustomSettingsStore, wide)) {
    return "no custom document setting \"" + name + "\" for " + where;
  }
  settings::PrivateRecord record{};
  if (!ui::LoadCustomSetting(wide, printer, &record)) {
    return "the custom document setting \"" + name + "\" of " + where +
           " is not a settings record this driver can print with";
  }
  stored->customSetting = record;
  return std::nullopt;
}


}  // namespace

bool PrinterInStore(const std::string& printer) {
  platform::PrinterHandle handle = nullptr;
  if (!platform::OpenPrinter(platform::Utf8ToUtf16(printer), &handle)) return false;
  platform::ClosePrinter(handle);
  return true;
}

std::optional<std::string> ReadStoredJobSettings(const std::string& printer,
                                                 const std::string& watermark,
                                                 const std::string& customSetting,
                                                 StoredJobSettings* stored) {
  const std::u16string name = platform::Utf8ToUtf16(printer);
  platform::PrinterHandle handle = nullptr;
  if (!platform::OpenPrinter(name, &handle)) {
    return "no printer \"" + printer + "\" in the store " + platform::StoreDirectory();
  }
  settings::GetPrinterDataFile(handle, &stored->ppdPath);
  stored->devOpts = ReadDevOpts(handle);
  platform::ClosePrinter(handle);
  if (!customSetting.empty()) {
    if (auto error = ReadCustomSetting(name, customSetting, stored)) return error;
  }
  if (!watermark.empty()) {
    if (auto error = ReadWatermark(name, watermark, stored)) return error;
  }
  return std::nullopt;
}

void ApplyStoredJobSettings(const StoredJobSettings& stored, settings::PrivateRecord* record) {
  if (stored.customSetting) {
    const settings::DeviceOptions devOpts = record->devOpts;
    *record = *stored.customSetting;
    record->devOpts = devOpts;
  }
  if (stored.watermark) {
    record->watermark = *stored.watermark;
    settings::StoreAnsiWatermarkText(record);
  }
}

}  // namespace kx::render
