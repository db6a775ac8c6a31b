#include "printer.h"

#include "platform/spooler.h"
#include "platform/text.h"
#include "settings/record_ops.h"

namespace kx::settings_tool {

Outcome CheckPrinter(const std::u16string& printer) {
  const platform::OpenedPrinter opened(printer);
  if (opened.handle() != nullptr) return Outcome::Ok();
  return Outcome::Fail(kExitNoPrinter,
                       "no printer \"" + platform::Utf16ToUtf8(printer) + "\" is installed");
}

settings::PrivateRecord DefaultRecord(const std::u16string& printer) {
  settings::PrivateRecord record{};
  const platform::OpenedPrinter opened(printer);
  settings::SetRecordDefaults(&record, opened.handle());
  return record;
}

}  // namespace kx::settings_tool
