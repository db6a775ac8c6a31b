// The system's own property sheet (comctl32) holding the plug-in's pages, as the host
// driver's common property-sheet service shows them.
#pragma once

#include <span>

#include "host/compstui.h"
#include "host/window.h"

namespace kx::hostsim {

// Opens a modeless sheet titled `title` with the pages (the first one shown); null when
// the system refuses a page or the sheet.
host::HWND OpenPropertySheet(std::span<const host::PROPSHEETPAGEW> pages, const char16_t* title);
// Shows the sheet until the user closes it; the sheet's result (positive: OK or Apply
// changed something, 0: cancelled, -1: the sheet could not be made).
host::INT_PTR RunPropertySheet(std::span<const host::PROPSHEETPAGEW> pages,
                               const char16_t* title);
void ClosePropertySheet(host::HWND sheet);

// Shows page `index` as a click on its tab does (the page is made at its first showing);
// its window, or null.
host::HWND ShowSheetPage(host::HWND sheet, int index);

}  // namespace kx::hostsim
