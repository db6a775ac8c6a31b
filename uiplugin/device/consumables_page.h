// The consumables page (dialog 105), second page of the printer sheet: the printer's
// toner and print-unit supplies as it answers them over SNMP each time the page is shown,
// and the way to the printer's own web page.
#pragma once

#include "host/window.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kConsumablesPageId = 105;

const platform::DialogSpec& ConsumablesPageSpec();
host::INT_PTR KX_STDCALL ConsumablesPageProcedure(host::HWND page, host::UINT message,
                                                  host::WPARAM wParam, host::LPARAM lParam);

}  // namespace kx::ui
