#include "printer_items.h"

namespace kx::ui {

host::HRESULT BuildPrinterItems(host::OEMCUIPPARAM*) { return host::S_OK; }
host::LONG KX_STDCALL PrinterItemsCallback(host::CPSUICBPARAM*, host::OEMCUIPPARAM*) { return 0; }

}  // namespace kx::ui
