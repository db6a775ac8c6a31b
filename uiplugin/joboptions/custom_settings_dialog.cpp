// Placeholder until the dialog is built.
#include "joboptions/custom_settings_dialog.h"

namespace kx::ui {

const platform::DialogSpec& CustomSettingsDialogSpec() {
  static const platform::DialogSpec spec = {.templateId = kCustomSettingsDialogId, .caption = "", .width = 100, .height = 50, .style = 0, .exStyle = 0, .controls = {}};
  return spec;
}

host::INT_PTR ShowCustomSettings(host::HWND, PageSetContext*) { return 2; }

}  // namespace kx::ui
