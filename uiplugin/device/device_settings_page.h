// The device settings page (dialog 101), first page of the printer sheet: the user
// information each job carries, the printer's address, and the installable options the
// printer has, taken from the printer when it answers over SNMP. It edits the printer
// data "DevOpts".
#pragma once

#include "host/window.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kDeviceSettingsPageId = 101;

const platform::DialogSpec& DeviceSettingsPageSpec();
host::INT_PTR KX_STDCALL DeviceSettingsPageProcedure(host::HWND page, host::UINT message,
                                                     host::WPARAM wParam, host::LPARAM lParam);

}  // namespace kx::ui
