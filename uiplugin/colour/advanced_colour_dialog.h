// The advanced colour options (dialog 109, modal): quick colour sets chosen, saved and deleted, a summary of the colour settings, and the way to their detail. Returns 1 (OK) or 2 (Cancel).
#pragma once

#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kAdvancedColourDialogId = 109;

const platform::DialogSpec& AdvancedColourDialogSpec();
host::INT_PTR ShowAdvancedColourOptions(host::HWND owner, PageSetContext* context);

}  // namespace kx::ui
