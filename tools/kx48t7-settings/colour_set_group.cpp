// Quick colour sets: the six predefined sets and the user's own, each the colour settings
// block of the record.
#include <cstddef>

#include "colour/colour_sets.h"
#include "group.h"
#include "platform/text.h"
#include "printer.h"
#include "record_fields.h"
#include "user_store.h"

namespace kx::settings_tool {
namespace {

using settings::PrivateRecord;

constexpr char kGroup[] = "colour-set";
constexpr size_t kMaxNameLength = std::size(PrivateRecord{}.colorSetName) - 1;

bool IsColourBlockField(const settings::RecordField& field) {
  return field.offset >= ui::kColourBlockOffset &&
         field.offset < ui::kColourBlockOffset + ui::kColourBlockSize;
}

// The predefined set of that name (case ignored, as the dialogs compare); null if none.
const ui::TextRow* PredefinedSet(const std::string& name) {
  const std::u16string wide = platform::Utf8ToUtf16(name);
  for (const ui::TextRow& row : ui::kPredefinedColourSets) {
    if (ui::NameInTable(ui::TextTable(&row, 1), wide)) return &row;
  }
  return nullptr;
}

class ColourSetGroup final : public Group {
 public:
  explicit ColourSetGroup(std::u16string printer)
      : printer_(std::move(printer)), fields_(IsColourBlockField, "") {}

  const char* name() const override { return kGroup; }

  std::vector<Entry> List() override {
    std::vector<Entry> entries;
    for (const ui::TextRow& row : ui::kPredefinedColourSets) {
      entries.push_back({.name = platform::Utf16ToUtf8(ui::ToUtf16(row.text)), .predefined = true,
                         .stored = false});
    }
    for (const std::u16string& name : ui::ListColourSets(printer_)) {
      if (PredefinedSet(platform::Utf16ToUtf8(name)) != nullptr) continue;
      entries.push_back({.name = platform::Utf16ToUtf8(name)});
    }
    return entries;
  }

  Outcome Read(const std::string& name, Entry* entry) override {
    PrivateRecord record = DefaultRecord(printer_);
    if (const ui::TextRow* predefined = PredefinedSet(name)) {
      record.quickColorSet = predefined->value;
      ui::ApplyPredefinedColourSet(&record);
      *entry = {.name = name, .predefined = true, .stored = false,
                .fields = fields_.Values(record)};
      return Outcome::Ok();
    }
    if (!ui::LoadColourSet(platform::Utf8ToUtf16(name), printer_, &record)) {
      return UnknownName(kGroup, name);
    }
    *entry = {.name = name, .fields = fields_.Values(record)};
    return Outcome::Ok();
  }

  Outcome Write(const std::string& name, const Changes& changes, WriteMode mode,
                bool checkOnly) override {
    const std::u16string wide = platform::Utf8ToUtf16(name);
    if (PredefinedSet(name) != nullptr) return PredefinedName(kGroup, name);
    if (wide.empty() || wide.size() > kMaxNameLength) {
      return Outcome::Fail(kExitOutOfRange, "name: \"" + name + "\" must have 1 to " +
                                                std::to_string(kMaxNameLength) + " characters");
    }
    const PrivateRecord baseline = DefaultRecord(printer_);
    PrivateRecord record = baseline;
    const bool stored = ui::LoadColourSet(wide, printer_, &record);
    if (mode == WriteMode::kAdd && stored) return AlreadyStored(kGroup, name);
    if (mode == WriteMode::kEdit && !stored) return UnknownName(kGroup, name);
    if (mode != WriteMode::kEdit) record = baseline;
    if (Outcome applied = fields_.Apply(&record, changes); !applied.ok()) return applied;
    if (Outcome checked = fields_.CheckUsable(record, baseline, "the colour set"); !checked.ok()) {
      return checked;
    }
    if (checkOnly) return Outcome::Ok();
    const uint32_t status = ui::SaveColourSet(wide, printer_, record);
    return status == 0 ? Outcome::Ok() : StoreFailure("colour set \"" + name + "\"", status);
  }

  Outcome Remove(const std::string& name) override {
    if (PredefinedSet(name) != nullptr) return PredefinedName(kGroup, name);
    PrivateRecord record{};
    if (!ui::LoadColourSet(platform::Utf8ToUtf16(name), printer_, &record)) {
      return UnknownName(kGroup, name);
    }
    if (!ui::DeleteColourSet(platform::Utf8ToUtf16(name), printer_)) {
      return StoreFailure("colour set \"" + name + "\"", 0);
    }
    return Outcome::Ok();
  }

 private:
  std::u16string printer_;
  FieldSet fields_;
};

}  // namespace

std::unique_ptr<Group> MakeColourSetGroup(const std::u16string& printer) {
  return std::make_unique<ColourSetGroup>(printer);
}

}  // namespace kx::settings_tool
