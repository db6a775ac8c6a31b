#include "property_sheet.h"  // before <windows.h>: host/window.h has names it defines

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstddef>
#include <cstring>

namespace kx::test {

// The plug-in's description is the second version of the structure; the system's headers
// declare the latest, which takes the older sizes by their dwSize.
static_assert(sizeof(host::PROPSHEETPAGEW) == offsetof(::PROPSHEETPAGEW, hActCtx));

host::HWND OpenPropertySheet(const host::PROPSHEETPAGEW& page, const char16_t* title) {
  ::PROPSHEETPAGEW native{};
  std::memcpy(&native, &page, sizeof(page));
  HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&native);
  if (handle == nullptr) return nullptr;
  ::PROPSHEETHEADERW header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
  header.pszCaption = reinterpret_cast<const wchar_t*>(title);
  header.nPages = 1;
  header.phpage = &handle;
  const INT_PTR sheet = ::PropertySheetW(&header);
  return sheet > 0 ? reinterpret_cast<host::HWND>(sheet) : nullptr;
}

void ClosePropertySheet(host::HWND sheet) { ::DestroyWindow(reinterpret_cast<::HWND>(sheet)); }

}  // namespace kx::test
