// The features page (dialog 111), first page of the document sheet: the resolution, the
// quick colour set, and the buttons that open the option dialogs. It keeps the snapshot of
// the record that the sheet's Cancel restores and hands the record's values to the host's
// own items on leaving and on Apply.
#pragma once

#include "host/window.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kFeaturesPageId = 111;

const platform::DialogSpec& FeaturesPageSpec();
host::INT_PTR KX_STDCALL FeaturesPageProcedure(host::HWND page, host::UINT message,
                                               host::WPARAM wParam, host::LPARAM lParam);

}  // namespace kx::ui
