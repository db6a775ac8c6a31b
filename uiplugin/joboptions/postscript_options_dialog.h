// The PostScript options (dialog 103, modal): PostScript error pages, the job time-out and
// the external PostScript header file that the rendering plug-in copies into every job.
// Writes the record only on OK; returns 1 (OK) or 2 (Cancel).
#pragma once

#include <optional>

#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"
#include "settings/record.h"

namespace kx::ui {

inline constexpr int kPostScriptOptionsDialogId = 103;

const platform::DialogSpec& PostScriptOptionsDialogSpec();
host::INT_PTR ShowPostScriptOptions(host::HWND owner, PageSetContext* context);

// The dialog over one record, on a system of the given major version (none when it cannot
// be read): systems before 5 offer no external header file.
host::INT_PTR RunPostScriptOptions(host::HWND owner, settings::PrivateRecord* record,
                                   std::optional<int> systemMajorVersion);

}  // namespace kx::ui
