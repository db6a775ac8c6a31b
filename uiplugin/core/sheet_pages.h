// The pages each sheet adds, in order. Every page is listed here by the change that
// builds it.
#pragma once

#include "page_set.h"

namespace kx::ui {

PageList DocumentPages();
PageList PrinterPages();

}  // namespace kx::ui
