// A real dialog or page against the table it was made from: its controls, read from the
// system's window tree, must be the table's, in its order, with the table's ids, classes
// and (for buttons and labels) texts. A label the dialog fills or completes itself (an
// empty caption in the table, or "버전" followed by the version) is compared only as far
// as the table gives its text.
#pragma once

#include <string>
#include <vector>

#include "host/window.h"
#include "platform/dialog_template.h"

namespace kx::hostsim {

// One line per difference; empty when the window matches the table.
std::vector<std::string> DifferencesFromTable(host::HWND window, const platform::DialogSpec& spec);

}  // namespace kx::hostsim
