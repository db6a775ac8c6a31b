// Placeholder until the dialog is built.
#include "joboptions/email_dialog.h"

namespace kx::ui {

const platform::DialogSpec& EmailDialogSpec() {
  static const platform::DialogSpec spec = {.templateId = kEmailDialogId, .caption = "", .width = 100, .height = 50, .style = 0, .exStyle = 0, .controls = {}};
  return spec;
}

host::INT_PTR ShowEmailNotification(host::HWND, PageSetContext*) { return 1; }
bool IsUsableEmailAddress(std::u16string_view) { return false; }

}  // namespace kx::ui
