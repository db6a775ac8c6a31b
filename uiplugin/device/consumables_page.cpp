// Placeholder until the page is built.
#include "device/consumables_page.h"

namespace kx::ui {

const platform::DialogSpec& ConsumablesPageSpec() {
  static const platform::DialogSpec spec = {.templateId = kConsumablesPageId, .caption = "", .width = 252, .height = 218, .style = 0, .exStyle = 0, .controls = {}};
  return spec;
}

host::INT_PTR KX_STDCALL ConsumablesPageProcedure(host::HWND, host::UINT, host::WPARAM, host::LPARAM) { return 0; }

}  // namespace kx::ui
