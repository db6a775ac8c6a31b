#include "record_fields.h"

#include <cstdint>

#include "joboptions/custom_settings_store.h"

namespace kx::settings_tool {
namespace {

using settings::FieldKind;
using settings::PrivateRecord;
using settings::RecordField;

bool IsNumber(const RecordField& field) {
  return field.kind == FieldKind::kUnsigned || field.kind == FieldKind::kSigned;
}

// The stored-setting check tries each value of a field up to this wide a window around 0:
// every range the settings have lies well inside it, and the search stays quick.
constexpr int64_t kProbeLimit = 65535;
// Beyond this many separate runs the accepted values are not worth listing.
constexpr size_t kMaxRuns = 8;

void WriteNumber(PrivateRecord* record, const RecordField& field, int64_t value) {
  auto* bytes = reinterpret_cast<uint8_t*>(record) + field.offset;
  const auto bits = static_cast<uint64_t>(value);
  for (size_t i = 0; i < field.size; ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int64_t ReadNumber(const PrivateRecord& record, const RecordField& field) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record) + field.offset;
  uint64_t bits = 0;
  for (size_t i = 0; i < field.size; ++i) bits |= uint64_t{bytes[i]} << (8 * i);
  if (field.kind == FieldKind::kSigned && field.size < 8 && (bits >> (field.size * 8 - 1)) & 1) {
    bits |= ~uint64_t{0} << (field.size * 8);
  }
  return static_cast<int64_t>(bits);
}

// A run that reaches the end of the window searched goes on beyond it.
std::string FormatRuns(const std::vector<std::pair<int64_t, int64_t>>& runs, int64_t low,
                       int64_t high, bool lowOpen, bool highOpen) {
  std::string text;
  for (const auto& [first, last] : runs) {
    if (!text.empty()) text += ", ";
    if (lowOpen && highOpen && first == low && last == high) {
      text += "any";
    } else if (lowOpen && first == low) {
      text += std::to_string(last) + " or less";
    } else if (highOpen && last == high) {
      text += std::to_string(first) + " or more";
    } else {
      text += std::to_string(first);
      if (last > first) text += (last == first + 1 ? ", " : " to ") + std::to_string(last);
    }
  }
  return text;
}

}  // namespace

FieldSet::FieldSet(std::function<bool(const RecordField&)> member, std::string prefix)
    : prefix_(std::move(prefix)) {
  for (const RecordField& field : settings::RecordFields()) {
    if (!field.alias && member(field)) fields_.push_back(&field);
  }
}

std::string FieldSet::ShownName(const RecordField& field) const {
  return field.name.starts_with(prefix_) ? field.name.substr(prefix_.size()) : field.name;
}

std::vector<FieldValue> FieldSet::Values(const PrivateRecord& record) const {
  std::vector<FieldValue> values;
  for (const RecordField* field : fields_) {
    values.push_back(
        {ShownName(*field), settings::FormatRecordField(record, *field), IsNumber(*field)});
  }
  return values;
}

const RecordField* FieldSet::Find(std::string_view name) const {
  for (const RecordField* field : fields_) {
    if (ShownName(*field) == name) return field;
  }
  return nullptr;
}

Outcome FieldSet::Apply(PrivateRecord* record, const Changes& changes) const {
  for (const auto& [name, value] : changes) {
    const RecordField* field = Find(name);
    if (field == nullptr) return Outcome::Fail(kExitUsage, "no field \"" + name + "\" here");
    std::string error;
    if (!settings::SetRecordField(record, *field, value, &error)) {
      // The field table names fields by their record names; show the tool's.
      if (error.starts_with(field->name)) error = name + error.substr(field->name.size());
      return Outcome::Fail(kExitOutOfRange, error);
    }
  }
  return Outcome::Ok();
}

Outcome FieldSet::CheckUsable(const PrivateRecord& record, const PrivateRecord& baseline,
                             std::string_view what) const {
  if (ui::IsUsableStoredRecord(record)) return Outcome::Ok();
  // Put the fields back to the baseline's values one by one: the field whose return makes
  // the record usable is one the check refuses.
  PrivateRecord reverted = record;
  for (const RecordField* field : fields_) {
    if (!IsNumber(*field)) continue;
    const PrivateRecord before = reverted;
    WriteNumber(&reverted, *field, ReadNumber(baseline, *field));
    if (!ui::IsUsableStoredRecord(reverted)) continue;
    const std::string accepted = AcceptedValues(before, *field);
    return Outcome::Fail(kExitOutOfRange,
                         ShownName(*field) + ": " + std::to_string(ReadNumber(record, *field)) +
                             " is out of range" +
                             (accepted.empty() ? "" : " (accepted: " + accepted + ")"));
  }
  return Outcome::Fail(kExitOutOfRange, std::string(what) + " is not one the settings accept");
}

std::string AcceptedValues(const PrivateRecord& record, const RecordField& field) {
  const bool isSigned = field.kind == FieldKind::kSigned;
  const unsigned valueBits = static_cast<unsigned>(field.size * 8 - (isSigned ? 1 : 0));
  const int64_t widest = field.size >= 4 ? kProbeLimit : (int64_t{1} << valueBits) - 1;
  const int64_t low = isSigned ? -widest - 1 : 0;
  PrivateRecord probe = record;
  std::vector<std::pair<int64_t, int64_t>> runs;
  for (int64_t value = low; value <= widest; ++value) {
    WriteNumber(&probe, field, value);
    if (!ui::IsUsableStoredRecord(probe)) continue;
    if (!runs.empty() && runs.back().second == value - 1) {
      runs.back().second = value;
    } else {
      if (runs.size() == kMaxRuns) return {};
      runs.emplace_back(value, value);
    }
  }
  const bool wide = field.size >= 4;
  return FormatRuns(runs, low, widest, wide && isSigned, wide);
}

}  // namespace kx::settings_tool
