// The colour settings detail (dialog 114, modal): every field of the colour settings block one by one. Writes the record only on OK; returns 1 when OK changed the block, else 2.
#pragma once

#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kColourDetailsDialogId = 114;

const platform::DialogSpec& ColourDetailsDialogSpec();
host::INT_PTR ShowColourDetails(host::HWND owner, PageSetContext* context);

}  // namespace kx::ui
