// Placeholder until the dialog is built.
#include "colour/graphics_options_dialog.h"

namespace kx::ui {

const platform::DialogSpec& GraphicsOptionsDialogSpec() {
  static const platform::DialogSpec spec = {.templateId = kGraphicsOptionsDialogId, .caption = "", .width = 100, .height = 50, .style = 0, .exStyle = 0, .controls = {}};
  return spec;
}

host::INT_PTR ShowGraphicsOptions(host::HWND, PageSetContext*) { return 2; }

}  // namespace kx::ui
