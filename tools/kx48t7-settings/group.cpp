#include "group.h"

#include "platform/text.h"

namespace kx::settings_tool {

std::unique_ptr<Group> MakeGroup(const Command& command) {
  const std::u16string printer = platform::Utf8ToUtf16(command.printer);
  if (command.group == "watermark") return MakeWatermarkGroup(printer);
  if (command.group == "colour-set") return MakeColourSetGroup(printer);
  if (command.group == "custom-setting") return MakeCustomSettingGroup(printer);
  if (command.group == "profile") return MakeProfileGroup(printer, command.kind.value_or(""));
  return nullptr;
}

Outcome UnknownName(const std::string& group, const std::string& name) {
  return Outcome::Fail(kExitUnknownName, "no " + group + " \"" + name + "\"");
}

Outcome PredefinedName(const std::string& group, const std::string& name) {
  return Outcome::Fail(kExitPredefined,
                       "\"" + name + "\" is a predefined " + group + " and cannot be changed");
}

Outcome AlreadyStored(const std::string& group, const std::string& name) {
  return Outcome::Fail(kExitExists, group + " \"" + name + "\" exists already (use edit)");
}

Outcome StoreFailure(const std::string& what, uint32_t status) {
  return Outcome::Fail(kExitStoreFailure,
                       "the store failed on " + what +
                           (status != 0 ? " (status " + std::to_string(status) + ")" : ""));
}

}  // namespace kx::settings_tool
