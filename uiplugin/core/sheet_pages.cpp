#include "sheet_pages.h"

namespace kx::ui {

PageList DocumentPages() { return {}; }

PageList PrinterPages() { return {}; }

}  // namespace kx::ui
