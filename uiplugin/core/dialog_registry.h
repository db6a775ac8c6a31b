// Every dialog and property page of the UI plug-in, for checks that look at all of them
// (the layout test, the gallery of pictures).
#pragma once

#include <vector>

#include "platform/dialog_template.h"

namespace kx::ui {

struct RegisteredDialog {
  const platform::DialogSpec* spec = nullptr;
  bool isPage = false;  // a property page (held by a sheet) rather than a dialog of its own
};

std::vector<RegisteredDialog> AllDialogSpecs();

}  // namespace kx::ui
