// The host's error-handler item, which stands for the record's PostScript error pages:
// the features page keeps it hidden and in agreement with the record.
#pragma once

#include "host/oemui.h"
#include "settings/record.h"

namespace kx::ui {

// Every level-2 item with the error handler's help index in the host's second-to-last
// section: its extended check box hidden, and its choice "send" when the record prints
// PostScript errors, else "omit" (marked changed when that changes it). Nothing when the
// host passed no items.
void AlignErrorHandlerItem(const host::OEMCUIPPARAM& param, const settings::PrivateRecord& record);

}  // namespace kx::ui
