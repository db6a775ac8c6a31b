// A real comctl32 property sheet holding one page of the plug-in, for its picture.
#pragma once

#include "host/compstui.h"
#include "host/window.h"

namespace kx::test {

// Opens a modeless property sheet titled `title` with the page; null when it cannot.
host::HWND OpenPropertySheet(const host::PROPSHEETPAGEW& page, const char16_t* title);
void ClosePropertySheet(host::HWND sheet);

}  // namespace kx::test
