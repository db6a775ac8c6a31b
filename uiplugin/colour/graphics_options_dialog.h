// The advanced graphics options (dialog 104, modal): toner saving, smoothing, negative and
// mirror image and the page rotation of the job. Writes the record only on OK; returns 1
// (OK) or 2 (Cancel).
#pragma once

#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kGraphicsOptionsDialogId = 104;

const platform::DialogSpec& GraphicsOptionsDialogSpec();
host::INT_PTR ShowGraphicsOptions(host::HWND owner, PageSetContext* context);

}  // namespace kx::ui
