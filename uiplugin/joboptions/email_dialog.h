// The e-mail notification (dialog 113, modal): whether the printer mails the end of the
// job, and to whom. Writes the record only on OK; returns 1 after OK and Cancel alike.
#pragma once

#include <string_view>

#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kEmailDialogId = 113;

const platform::DialogSpec& EmailDialogSpec();
host::INT_PTR ShowEmailNotification(host::HWND owner, PageSetContext* context);

// Whether the address can be carried in the job header as typed: not empty, holds an
// "@", and every character survives the header's text unchanged.
bool IsUsableEmailAddress(std::u16string_view address);

}  // namespace kx::ui
