#include "colour/advanced_colour_dialog.h"

namespace kx::ui {
namespace {
constexpr platform::DialogSpec kSpec = {.templateId = kAdvancedColourDialogId, .controls = {}};
}
// Placeholder until the dialog is written.
const platform::DialogSpec& AdvancedColourDialogSpec() { return kSpec; }
host::INT_PTR ShowAdvancedColourOptions(host::HWND, PageSetContext*) { return 2; }
}  // namespace kx::ui
