// The pictures of a sheet: every page in turn, and every dialog a page opens (through its
// buttons, or the About box through its context menu), each drawn by the system, written
// as a PNG file and checked against the control table it was made from.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "host/window.h"
#include "page_set.h"

namespace kx::hostsim {

struct TourReport {
  std::vector<std::string> pictures;  // one line per picture written
  std::vector<std::string> failures;
};

// Takes the pictures of the open sheet, whose pages are `pages` in order, into `folder`;
// with no folder, only checks the windows against their tables.
void TakeSheetPictures(host::HWND sheet, ui::PageList pages, const std::u16string& folder,
                       TourReport* report);

}  // namespace kx::hostsim
