#include "preview_verb.h"

#include "watermark_preview.h"

namespace kx::settings_tool {

Outcome RunPreviewVerb(const Command& command) {
  settings::PrivateRecord record{};
  Outcome built = command.group == "watermark" ? RecordWithWatermark(command, &record)
                                               : RecordOfCustomSetting(command, &record);
  if (!built.ok()) return built;
  std::string error;
  if (!preview::RenderWatermarkPreview(record, *command.png, &error)) {
    return Outcome::Fail(kExitPreviewFailed, "no preview of \"" + *command.name + "\": " + error);
  }
  return Outcome::Ok();
}

}  // namespace kx::settings_tool
