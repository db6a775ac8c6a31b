// Custom document settings (dialog 112, modal): the stored settings listed, saved and
// deleted, and OK applying the chosen one to the job (the printer's device options stay
// the job's). Returns 1 after OK, 2 after Cancel.
#pragma once

#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kCustomSettingsDialogId = 112;

const platform::DialogSpec& CustomSettingsDialogSpec();
host::INT_PTR ShowCustomSettings(host::HWND owner, PageSetContext* context);

}  // namespace kx::ui
