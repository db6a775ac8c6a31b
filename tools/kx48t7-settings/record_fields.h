// A group's view of the settings record: the record fields its entries consist of, under
// the names the tool shows (the record's own names, a watermark's without "watermark."),
// read into entries, set from FIELD=VALUE, and checked the way stored settings are checked
// before they become a job's record.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "entry.h"
#include "outcome.h"
#include "settings/field_table.h"
#include "settings/record.h"

namespace kx::settings_tool {

class FieldSet {
 public:
  // The fields `member` picks, shown with `prefix` taken off their record name.
  FieldSet(std::function<bool(const settings::RecordField&)> member, std::string prefix);

  std::vector<FieldValue> Values(const settings::PrivateRecord& record) const;
  // The field shown as `name`; null when the set has none.
  const settings::RecordField* Find(std::string_view name) const;
  std::string ShownName(const settings::RecordField& field) const;

  // Sets each pair in order: an unknown field is a usage error, a value the field cannot
  // hold (not a number, too large, text too long) is out of range. On failure the record
  // may be partly changed.
  Outcome Apply(settings::PrivateRecord* record, const Changes& changes) const;

  // Whether the record may be stored: the check a stored setting must pass before it
  // becomes a job's record. When it fails, the message names a field of the set whose
  // value the check refuses, with the values it accepts there; `baseline` is a record
  // that passes (the defaults the entry started from).
  Outcome CheckUsable(const settings::PrivateRecord& record,
                      const settings::PrivateRecord& baseline, std::string_view what) const;

 private:
  std::vector<const settings::RecordField*> fields_;
  std::string prefix_;
};

// The values a numeric field may take for the record to pass the stored-setting check,
// all other fields as they are: "0 to 2", "0, 90, 180, 270"; empty when none was found.
std::string AcceptedValues(const settings::PrivateRecord& record,
                           const settings::RecordField& field);

}  // namespace kx::settings_tool
