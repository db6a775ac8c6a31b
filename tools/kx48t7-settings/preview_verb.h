// `watermark preview` and `custom-setting preview`: a picture of the watermark a job
// would print, made by the watermark preview library.
#pragma once

#include "command_line.h"
#include "outcome.h"
#include "settings/record.h"

namespace kx::settings_tool {

Outcome RunPreviewVerb(const Command& command);

// The record a job on the printer carries once the named watermark is chosen for it.
Outcome RecordWithWatermark(const Command& command, settings::PrivateRecord* record);
// The record a job carries once the named custom setting is applied to it.
Outcome RecordOfCustomSetting(const Command& command, settings::PrivateRecord* record);

}  // namespace kx::settings_tool
