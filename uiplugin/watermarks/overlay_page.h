// The overlay and watermark page (dialog 102) of the document sheet: the job's watermark
// chosen from the printer's library (edited, added, deleted), and the five overlays with
// the pages they are printed on.
#pragma once

#include "host/window.h"
#include "platform/dialog_template.h"
#include "tips.h"

namespace kx::ui {

inline constexpr int kOverlayPageId = 102;

const platform::DialogSpec& OverlayPageSpec();
host::INT_PTR KX_STDCALL OverlayPageProcedure(host::HWND page, host::UINT message,
                                              host::WPARAM wParam, host::LPARAM lParam);

// The page's balloon: its window, and the control it is shown at (0: hidden). A page
// without a settings record has none.
TipState BalloonOfOverlayPage(host::HWND page);

}  // namespace kx::ui
