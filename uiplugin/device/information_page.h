// The information page (dialog 106) of the document sheet: the product version, and the
// driver reset that puts the job settings back to their defaults while the printer's
// device options stay.
#pragma once

#include "host/window.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kInformationPageId = 106;

const platform::DialogSpec& InformationPageSpec();
host::INT_PTR KX_STDCALL InformationPageProcedure(host::HWND page, host::UINT message,
                                                  host::WPARAM wParam, host::LPARAM lParam);

}  // namespace kx::ui
