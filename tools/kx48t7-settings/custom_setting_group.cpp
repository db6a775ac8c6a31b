// Custom document settings: named copies of the whole record. The word for "none" that
// the dialog always offers is no setting and cannot be stored.
#include "group.h"
#include "joboptions/custom_settings_store.h"
#include "platform/text.h"
#include "printer.h"
#include "record_fields.h"
#include "settings/record_text.h"
#include "watermarks/watermark_store.h"

namespace kx::settings_tool {
namespace {

using settings::PrivateRecord;

constexpr char kGroup[] = "custom-setting";

bool EveryField(const settings::RecordField&) { return true; }

// The dialogs' word for none ("없음"), which the custom settings dialog always lists.
bool MeansNone(const std::string& name) {
  const ui::TextRow none[] = {ui::kPredefinedWatermarks[ui::kNoWatermark]};
  return ui::NameInTable(none, platform::Utf8ToUtf16(name));
}

bool IsStored(const std::u16string& printer, const std::string& name) {
  const std::u16string wide = platform::Utf8ToUtf16(name);
  for (const std::u16string& stored : ui::ListCustomSettings(printer)) {
    if (stored == wide) return true;
  }
  return false;
}

class CustomSettingGroup final : public Group {
 public:
  explicit CustomSettingGroup(std::u16string printer)
      : printer_(std::move(printer)), fields_(EveryField, "") {}

  const char* name() const override { return kGroup; }

  std::vector<Entry> List() override {
    std::vector<Entry> entries;
    entries.push_back({.name = platform::Utf16ToUtf8(ui::NoWatermarkName()), .predefined = true,
                       .stored = false});
    for (const std::u16string& name : ui::ListCustomSettings(printer_)) {
      entries.push_back({.name = platform::Utf16ToUtf8(name)});
    }
    return entries;
  }

  Outcome Read(const std::string& name, Entry* entry) override {
    PrivateRecord record{};
    if (!Load(name, &record)) {
      if (IsStored(printer_, name)) {
        return StoreFailure("custom setting \"" + name + "\" holds no usable record", 0);
      }
      if (MeansNone(name)) {
        return Outcome::Fail(kExitUnknownName, "\"" + name + "\" stands for no custom setting");
      }
      return UnknownName(kGroup, name);
    }
    *entry = {.name = name, .fields = fields_.Values(record)};
    return Outcome::Ok();
  }

  Outcome Write(const std::string& name, const Changes& changes, WriteMode mode,
                bool checkOnly) override {
    const std::u16string wide = platform::Utf8ToUtf16(name);
    if (MeansNone(name)) return PredefinedName(kGroup, name);
    if (wide.empty() || wide.size() > ui::kCustomSettingNameLimit) {
      return Outcome::Fail(kExitOutOfRange, "name: \"" + name + "\" must have 1 to " +
                                                std::to_string(ui::kCustomSettingNameLimit) +
                                                " characters");
    }
    const bool stored = IsStored(printer_, name);
    if (mode == WriteMode::kAdd && stored) return AlreadyStored(kGroup, name);
    if (mode == WriteMode::kEdit && !stored) return UnknownName(kGroup, name);

    PrivateRecord baseline = DefaultRecord(printer_);
    settings::StoreText(baseline.customSettingName, wide);
    PrivateRecord record = baseline;
    if (mode == WriteMode::kEdit && !Load(name, &record)) {
      return StoreFailure("custom setting \"" + name + "\" holds no usable record", 0);
    }
    if (Outcome applied = fields_.Apply(&record, changes); !applied.ok()) return applied;
    // Saving in the dialog names the record after the setting.
    settings::StoreText(record.customSettingName, wide);
    if (Outcome checked = fields_.CheckUsable(record, baseline, "the record"); !checked.ok()) {
      return checked;
    }
    if (checkOnly) return Outcome::Ok();
    const uint32_t status = ui::StoreCustomSetting(wide, record, printer_);
    return status == 0 ? Outcome::Ok() : StoreFailure("custom setting \"" + name + "\"", status);
  }

  Outcome Remove(const std::string& name) override {
    if (MeansNone(name)) return PredefinedName(kGroup, name);
    if (!IsStored(printer_, name)) return UnknownName(kGroup, name);
    if (!ui::RemoveCustomSetting(platform::Utf8ToUtf16(name), printer_)) {
      return StoreFailure("custom setting \"" + name + "\"", 0);
    }
    return Outcome::Ok();
  }

 private:
  bool Load(const std::string& name, PrivateRecord* record) const {
    return ui::LoadCustomSetting(platform::Utf8ToUtf16(name), printer_, record);
  }

  std::u16string printer_;
  FieldSet fields_;
};

}  // namespace

std::unique_ptr<Group> MakeCustomSettingGroup(const std::u16string& printer) {
  return std::make_unique<CustomSettingGroup>(printer);
}

}  // namespace kx::settings_tool
