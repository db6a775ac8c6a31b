#include "printer_setup.h"

namespace kx::ui {

host::HRESULT SetUpPrinter(host::PWSTR, host::INT, host::DWORD, host::LPARAM) {
  return host::S_OK;
}

}  // namespace kx::ui
