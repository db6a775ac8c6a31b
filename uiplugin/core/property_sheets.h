// The one routine behind DocumentPropertySheets and DevicePropertySheets: opens the
// printer's PPD and adds the sheet's pages at INIT, answers the header, result and icon
// requests, and releases the PPD at DESTROY.
#pragma once

#include "page_set.h"

namespace kx::ui {

inline constexpr char16_t kSheetTitle[] = u"VRX48T7-PSN PostScript Driver";

host::HRESULT RunPropertySheets(SheetKind kind, PageSetContext& context, PageList pages,
                                host::PROPSHEETUI_INFO* info, host::LPARAM lParam);

}  // namespace kx::ui
