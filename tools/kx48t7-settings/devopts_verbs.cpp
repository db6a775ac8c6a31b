#include "devopts_verbs.h"

#include <array>
#include <optional>
#include <string_view>

#include "device/device_settings_state.h"
#include "entry.h"
#include "exchange.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "record_fields.h"
#include "settings/record_ops.h"

namespace kx::settings_tool {
namespace {

using settings::DeviceOptions;
using settings::PrivateRecord;
using settings::RecordField;

constexpr size_t kBlockBegin = offsetof(PrivateRecord, devOpts);
constexpr size_t kInstalledBegin = kBlockBegin + offsetof(DeviceOptions, installedOptions);
constexpr size_t kInstalledEnd = kInstalledBegin + settings::kInstalledOptionCount;

bool IsDeviceField(const RecordField& field) {
  return field.offset >= kBlockBegin && field.offset < kBlockBegin + sizeof(DeviceOptions);
}

bool IsInstalledFlag(const RecordField& field) {
  return field.offset >= kInstalledBegin && field.offset < kInstalledEnd;
}

// The texts the settings page edits; their ANSI and UTF-8 copies follow them.
struct EditableText {
  size_t offset;
  std::optional<settings::DeviceText> copies;
};
constexpr std::array kEditableTexts = {
    EditableText{kBlockBegin + offsetof(DeviceOptions, userName), settings::DeviceText::kUserName},
    EditableText{kBlockBegin + offsetof(DeviceOptions, hostName), settings::DeviceText::kHostName},
    EditableText{kBlockBegin + offsetof(DeviceOptions, chargeNumber),
                 settings::DeviceText::kChargeNumber},
    EditableText{kBlockBegin + offsetof(DeviceOptions, snmpCommunity), std::nullopt},
    EditableText{kBlockBegin + offsetof(DeviceOptions, printerAddress), std::nullopt},
};

const EditableText* EditableTextAt(size_t offset) {
  for (const EditableText& text : kEditableTexts) {
    if (text.offset == offset) return &text;
  }
  return nullptr;
}

// An installed flag is 1 (installed) or 0.
constexpr uint8_t kInstalled = 1;

// The hasHardDisk name is an alias the field set does not list; it is accepted for
// installedOptions[0].
std::string FieldNameOf(const std::string& name) {
  const RecordField* field = settings::FindRecordField(name);
  if (field != nullptr && field->alias && IsDeviceField(*field)) {
    for (const RecordField& own : settings::RecordFields()) {
      if (!own.alias && own.offset == field->offset) return own.name;
    }
  }
  return name;
}

Outcome CheckSettable(const FieldSet& fields, const std::string& name) {
  const RecordField* field = fields.Find(name);
  if (field == nullptr) return Outcome::Fail(kExitUsage, "no device option \"" + name + "\"");
  if (!IsInstalledFlag(*field) && EditableTextAt(field->offset) == nullptr) {
    return Outcome::Fail(kExitUsage, name + " follows its wide text and cannot be set itself");
  }
  return Outcome::Ok();
}

Outcome CheckFlags(const DeviceOptions& options) {
  for (size_t i = 0; i < settings::kInstalledOptionCount; ++i) {
    if (options.installedOptions[i] > kInstalled) {
      return Outcome::Fail(kExitOutOfRange, "installedOptions[" + std::to_string(i) + "]: " +
                                                std::to_string(options.installedOptions[i]) +
                                                " is out of range (accepted: 0 to 1)");
    }
  }
  // The settings page never installs the second optional tray without the first.
  if (options.installedOptions[ui::kOptionalTray2Flag] != 0 &&
      options.installedOptions[ui::kOptionalTray1Flag] == 0) {
    return Outcome::Fail(kExitOutOfRange,
                         "installedOptions[" + std::to_string(ui::kOptionalTray2Flag) +
                             "]: the second optional tray needs installedOptions[" +
                             std::to_string(ui::kOptionalTray1Flag) + "]=1");
  }
  return Outcome::Ok();
}

// The stored block, or the defaults when the printer has none yet.
DeviceOptions ReadOptions(platform::PrinterHandle printer, bool* stored) {
  DeviceOptions options{};
  settings::SetDeviceOptionsDefaults(&options);
  *stored = settings::ReadStoredDeviceOptions(printer, &options);
  return options;
}

Outcome Show(const FieldSet& fields, platform::PrinterHandle printer, bool json,
             std::ostream& out) {
  bool stored = false;
  PrivateRecord record{};
  record.devOpts = ReadOptions(printer, &stored);
  const Entry entry{.name = "DevOpts", .stored = stored, .fields = fields.Values(record)};
  if (json) {
    out << WriteJson(EntryToJson(entry));
    return Outcome::Ok();
  }
  if (!stored) out << "(not stored yet: the defaults)\n";
  for (const FieldValue& field : entry.fields) out << field.name << '=' << field.value << '\n';
  return Outcome::Ok();
}

Outcome Set(const FieldSet& fields, const Changes& requested, platform::PrinterHandle printer) {
  Changes changes;
  for (const auto& [name, value] : requested) {
    changes.emplace_back(FieldNameOf(name), value);
    if (Outcome settable = CheckSettable(fields, changes.back().first); !settable.ok()) {
      return settable;
    }
  }
  bool stored = false;
  PrivateRecord record{};
  record.devOpts = ReadOptions(printer, &stored);
  if (Outcome applied = fields.Apply(&record, changes); !applied.ok()) return applied;
  if (Outcome flags = CheckFlags(record.devOpts); !flags.ok()) return flags;
  for (const auto& [name, value] : changes) {
    const EditableText* text = EditableTextAt(fields.Find(name)->offset);
    if (text != nullptr && text->copies) {
      settings::FillDeviceTextCopies(&record.devOpts, *text->copies);
    }
  }
  const uint32_t status = settings::WriteStoredDeviceOptions(printer, record.devOpts);
  if (status != 0) {
    return Outcome::Fail(kExitStoreFailure,
                         "the spooler did not store DevOpts (status " +
                             std::to_string(status) + ")");
  }
  return Outcome::Ok();
}

}  // namespace

Outcome RunDevOptsVerb(const Command& command, std::ostream& out) {
  const FieldSet fields(IsDeviceField, "");
  const platform::OpenedPrinter printer(platform::Utf8ToUtf16(command.printer),
                                        platform::PrinterAccess::kAll);
  if (printer.handle() == nullptr) {
    return Outcome::Fail(kExitNoPrinter, "no printer \"" + command.printer + "\" is installed");
  }
  if (command.verb == "show") return Show(fields, printer.handle(), command.json, out);
  return Set(fields, command.changes, printer.handle());
}

}  // namespace kx::settings_tool
