#include "real_sheet.h"  // before <windows.h>: host/window.h has names it defines

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace kx::hostsim {
namespace {

// The plug-in's description is the second version of the structure; the system's headers
// declare the latest, which takes the older sizes by their dwSize.
static_assert(sizeof(host::PROPSHEETPAGEW) == offsetof(::PROPSHEETPAGEW, hActCtx));

// The system's pages for the descriptions; empty when one is refused (the ones made are
// destroyed again).
std::vector<HPROPSHEETPAGE> SystemPages(std::span<const host::PROPSHEETPAGEW> pages) {
  std::vector<HPROPSHEETPAGE> handles;
  for (const host::PROPSHEETPAGEW& page : pages) {
    ::PROPSHEETPAGEW native{};
    std::memcpy(&native, &page, sizeof(page));
    HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&native);
    if (handle == nullptr) {
      for (HPROPSHEETPAGE made : handles) ::DestroyPropertySheetPage(made);
      return {};
    }
    handles.push_back(handle);
  }
  return handles;
}

INT_PTR ShowSheet(std::span<const host::PROPSHEETPAGEW> pages, const char16_t* title,
                  DWORD flags) {
  std::vector<HPROPSHEETPAGE> handles = SystemPages(pages);
  if (handles.empty()) return -1;
  ::PROPSHEETHEADERW header{};
  header.dwSize = sizeof(header);
  header.dwFlags = flags;
  header.pszCaption = reinterpret_cast<const wchar_t*>(title);
  header.nPages = static_cast<UINT>(handles.size());
  header.phpage = handles.data();
  return ::PropertySheetW(&header);
}

}  // namespace

host::HWND OpenPropertySheet(std::span<const host::PROPSHEETPAGEW> pages, const char16_t* title) {
  const INT_PTR sheet = ShowSheet(pages, title, PSH_MODELESS | PSH_NOAPPLYNOW);
  return sheet > 0 ? reinterpret_cast<host::HWND>(sheet) : nullptr;
}

host::INT_PTR RunPropertySheet(std::span<const host::PROPSHEETPAGEW> pages,
                               const char16_t* title) {
  return ShowSheet(pages, title, 0);
}

void ClosePropertySheet(host::HWND sheet) { ::DestroyWindow(reinterpret_cast<::HWND>(sheet)); }

host::HWND ShowSheetPage(host::HWND sheet, int index) {
  auto* native = reinterpret_cast<::HWND>(sheet);
  if (!::SendMessageW(native, PSM_SETCURSEL, static_cast<WPARAM>(index), 0)) return nullptr;
  return reinterpret_cast<host::HWND>(::SendMessageW(native, PSM_GETCURRENTPAGEHWND, 0, 0));
}

}  // namespace kx::hostsim
