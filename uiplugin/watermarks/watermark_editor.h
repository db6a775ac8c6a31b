// The watermark editor (dialog 107, modal): edits the job's watermark record in place,
// checks the values and on Save stores the record in the printer's watermark library.
#pragma once

#include "host/window.h"
#include "page_set.h"
#include "platform/dialog_template.h"

namespace kx::ui {

inline constexpr int kWatermarkEditorId = 107;

// The editor's results: Save (after the record was stored), Cancel, and Escape or the
// close box. Every result but kEditorSaved leaves the caller to undo the edits.
inline constexpr host::INT_PTR kEditorSaved = 1241;
inline constexpr host::INT_PTR kEditorCancelled = 1242;
inline constexpr host::INT_PTR kEditorClosed = 2;  // IDCANCEL

const platform::DialogSpec& WatermarkEditorSpec();

// Opens the editor on the watermark of the context's settings record (the printer name
// and the PPD come from the context too) and returns its result.
host::INT_PTR ShowWatermarkEditor(host::HWND owner, PageSetContext* context);

}  // namespace kx::ui
