// Watermarks: the printer's watermark library, with the predefined names always offered.
// Values are checked by the watermark editor's own rules, then as a job's record is.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "group.h"
#include "platform/text.h"
#include "printer.h"
#include "record_fields.h"
#include "settings/record_text.h"
#include "user_store.h"
#include "watermarks/editor_values.h"
#include "watermarks/watermark_store.h"

namespace kx::settings_tool {
namespace {

using settings::PrivateRecord;
using settings::WatermarkRecord;

constexpr char kGroup[] = "watermark";
constexpr char kPrefix[] = "watermark.";
constexpr size_t kMaxNameLength = std::size(WatermarkRecord{}.name) - 1;

// The watermark's fields inside the record, all but its name (the entry's name).
bool IsWatermarkField(const settings::RecordField& field) {
  constexpr size_t begin = offsetof(PrivateRecord, watermark);
  constexpr size_t end = begin + sizeof(WatermarkRecord);
  return field.offset >= begin && field.offset < end &&
         field.offset != begin + offsetof(WatermarkRecord, name);
}

// The record field an editor box sets, found by its place in the record.
const settings::RecordField* FieldOf(int32_t WatermarkRecord::*member) {
  static const WatermarkRecord sample{};
  const auto within = static_cast<size_t>(reinterpret_cast<const char*>(&(sample.*member)) -
                                          reinterpret_cast<const char*>(&sample));
  for (const settings::RecordField& field : settings::RecordFields()) {
    if (field.offset == offsetof(PrivateRecord, watermark) + within) return &field;
  }
  return nullptr;
}

bool IsColourCode(int32_t value) {
  for (const ui::TextRow& row : ui::kWatermarkColours) {
    if (row.value != ui::kBlackColourCode && static_cast<int64_t>(row.value) == value) return true;
  }
  return false;
}

class WatermarkGroup final : public Group {
 public:
  explicit WatermarkGroup(std::u16string printer)
      : printer_(std::move(printer)), fields_(IsWatermarkField, kPrefix) {}

  const char* name() const override { return kGroup; }

  std::vector<Entry> List() override {
    std::vector<Entry> entries;
    // "None" turns the job's watermark off; it is no watermark to list.
    for (const ui::TextRow& row : ui::kPredefinedWatermarks) {
      if (row.value == ui::kNoWatermark) continue;
      const std::string name = platform::Utf16ToUtf8(ui::ToUtf16(row.text));
      entries.push_back({.name = name, .predefined = true, .stored = Stored(name)});
    }
    for (const std::u16string& name : Library().Names()) {
      if (ui::IsPredefinedWatermark(name)) continue;
      entries.push_back({.name = platform::Utf16ToUtf8(name)});
    }
    return entries;
  }

  Outcome Read(const std::string& name, Entry* entry) override {
    const bool predefined = ui::IsPredefinedWatermark(platform::Utf8ToUtf16(name));
    const bool stored = Stored(name);
    if (!stored && !predefined) return UnknownName(kGroup, name);
    // An unsaved predefined name reads as the library gives it: the new-record default
    // under that name.
    PrivateRecord record{};
    record.watermark = ui::LoadWatermark(platform::Utf8ToUtf16(name), printer_);
    *entry = {.name = name, .predefined = predefined, .stored = stored,
              .fields = fields_.Values(record)};
    return Outcome::Ok();
  }

  Outcome Write(const std::string& name, const Changes& changes, WriteMode mode,
                bool checkOnly) override {
    const std::u16string wide = platform::Utf8ToUtf16(name);
    if (ui::IsPredefinedWatermark(wide)) return PredefinedName(kGroup, name);
    if (wide.empty() || wide.size() > kMaxNameLength) {
      return Outcome::Fail(kExitOutOfRange, "name: \"" + name + "\" must have 1 to " +
                                                std::to_string(kMaxNameLength) + " characters");
    }
    const bool stored = Stored(name);
    if (mode == WriteMode::kAdd && stored) return AlreadyStored(kGroup, name);
    if (mode == WriteMode::kEdit && !stored) return UnknownName(kGroup, name);

    PrivateRecord baseline = DefaultRecord(printer_);
    baseline.watermark = ui::NewWatermarkRecord();
    settings::StoreText(baseline.watermark.name, wide);
    settings::StoreText(baseline.watermark.text, wide);
    PrivateRecord record = baseline;
    if (mode == WriteMode::kEdit) record.watermark = ui::LoadWatermark(wide, printer_);
    if (Outcome applied = fields_.Apply(&record, changes); !applied.ok()) return applied;
    if (Outcome checked = CheckAsEditor(record.watermark); !checked.ok()) return checked;
    if (Outcome checked = fields_.CheckUsable(record, baseline, "the watermark"); !checked.ok()) {
      return checked;
    }
    if (checkOnly) return Outcome::Ok();
    const uint32_t status = ui::StoreWatermark(record.watermark, printer_);
    return status == 0 ? Outcome::Ok() : StoreFailure("watermark \"" + name + "\"", status);
  }

  Outcome Remove(const std::string& name) override {
    if (ui::IsPredefinedWatermark(platform::Utf8ToUtf16(name))) return PredefinedName(kGroup, name);
    if (!Stored(name)) return UnknownName(kGroup, name);
    if (!ui::RemoveWatermark(platform::Utf8ToUtf16(name), printer_)) {
      return StoreFailure("watermark \"" + name + "\"", 0);
    }
    return Outcome::Ok();
  }

 private:
  ui::PrinterRecordStore Library() const {
    return ui::PrinterRecordStore(printer_, ui::kWatermarkStore, sizeof(WatermarkRecord),
                                  kMaxNameLength);
  }

  bool Stored(const std::string& name) const {
    WatermarkRecord record{};
    return Library().Read(platform::Utf8ToUtf16(name), &record);
  }

  // What the editor's Save refuses: an empty text, a number outside its box's range, and
  // (for a colour) a colour the colour list does not offer.
  Outcome CheckAsEditor(const WatermarkRecord& watermark) const {
    if (settings::FieldText(watermark.text).empty()) {
      return Outcome::Fail(kExitOutOfRange, "text: the watermark needs at least one character");
    }
    const bool colour = watermark.colourFlag != 0;
    for (const ui::editor::NumberField& box : ui::editor::NumberFields()) {
      const bool shade = box.field == ui::editor::ShadeField().field;
      if (shade && colour) continue;
      const int32_t value = watermark.*box.field;
      if (value >= box.minimum && value <= box.maximum) continue;
      const settings::RecordField* field = FieldOf(box.field);
      return Outcome::Fail(kExitOutOfRange,
                           (field ? fields_.ShownName(*field) : std::string("value")) + ": " +
                               std::to_string(value) + " is out of range (accepted: " +
                               std::to_string(box.minimum) + " to " +
                               std::to_string(box.maximum) + ")");
    }
    if (colour && !IsColourCode(watermark.shadeOrColour)) {
      std::vector<uint32_t> values;
      for (const ui::TextRow& row : ui::kWatermarkColours) {
        if (row.value != ui::kBlackColourCode) values.push_back(row.value);
      }
      std::sort(values.begin(), values.end());
      std::string codes;
      for (const uint32_t value : values) {
        codes += (codes.empty() ? "" : ", ") + std::to_string(value);
      }
      return Outcome::Fail(kExitOutOfRange, "shadeOrColour: " +
                                                std::to_string(watermark.shadeOrColour) +
                                                " is no colour (accepted with colourFlag=1: " +
                                                codes + ")");
    }
    return Outcome::Ok();
  }

  std::u16string printer_;
  FieldSet fields_;
};

}  // namespace

std::unique_ptr<Group> MakeWatermarkGroup(const std::u16string& printer) {
  return std::make_unique<WatermarkGroup>(printer);
}

}  // namespace kx::settings_tool
