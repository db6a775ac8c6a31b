// Placeholder until the dialog is built.
#include "joboptions/postscript_options_dialog.h"

namespace kx::ui {

const platform::DialogSpec& PostScriptOptionsDialogSpec() {
  static const platform::DialogSpec spec = {.templateId = kPostScriptOptionsDialogId, .caption = "", .width = 100, .height = 50, .style = 0, .exStyle = 0, .controls = {}};
  return spec;
}

host::INT_PTR ShowPostScriptOptions(host::HWND, PageSetContext*) { return 2; }
host::INT_PTR RunPostScriptOptions(host::HWND, settings::PrivateRecord*, std::optional<int>) { return 2; }

}  // namespace kx::ui
