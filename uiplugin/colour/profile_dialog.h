// Printer profile management (dialog 110, modal): the descriptions and printer file names
// of one kind of colour profile added and deleted. Writes only the profile store; returns
// 1 (Done) or 2 (Cancel).
#pragma once

#include "colour/profile_store.h"
#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kProfileDialogId = 110;

const platform::DialogSpec& ProfileDialogSpec();
host::INT_PTR ShowProfileManager(host::HWND owner, PageSetContext* context, ProfileKind kind);

}  // namespace kx::ui
