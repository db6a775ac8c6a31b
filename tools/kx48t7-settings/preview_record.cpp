// The records the previews are made from, built the way the settings pages build a job's
// record when a watermark is chosen or a custom setting applied.
#include "group.h"
#include "joboptions/custom_settings_store.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "preview_verb.h"
#include "printer.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "watermarks/watermark_store.h"

namespace kx::settings_tool {

Outcome RecordWithWatermark(const Command& command, settings::PrivateRecord* record) {
  const std::u16string printer = platform::Utf8ToUtf16(command.printer);
  if (Outcome present = CheckPrinter(printer); !present.ok()) return present;
  Entry entry;
  if (Outcome read = MakeWatermarkGroup(printer)->Read(*command.name, &entry); !read.ok()) {
    return read;
  }
  *record = DefaultRecord(printer);
  const std::u16string name = platform::Utf8ToUtf16(*command.name);
  record->watermark = ui::LoadWatermark(name, printer);
  // Choosing "none" turns the job's watermark off.
  const ui::TextRow none[] = {ui::kPredefinedWatermarks[ui::kNoWatermark]};
  if (ui::NameInTable(none, name)) record->watermark.enabled = 0;
  settings::StoreAnsiWatermarkText(record);
  return Outcome::Ok();
}

Outcome RecordOfCustomSetting(const Command& command, settings::PrivateRecord* record) {
  const std::u16string printer = platform::Utf8ToUtf16(command.printer);
  if (Outcome present = CheckPrinter(printer); !present.ok()) return present;
  Entry entry;
  if (Outcome read = MakeCustomSettingGroup(printer)->Read(*command.name, &entry); !read.ok()) {
    return read;
  }
  *record = DefaultRecord(printer);
  const settings::DeviceOptions printerOptions = record->devOpts;
  ui::LoadCustomSetting(platform::Utf8ToUtf16(*command.name), printer, record);
  // Applying a setting never takes the device options from it.
  record->devOpts = printerOptions;
  return Outcome::Ok();
}

}  // namespace kx::settings_tool
