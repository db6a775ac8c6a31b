#include "colour/colour_details_dialog.h"

namespace kx::ui {
namespace {
constexpr platform::DialogSpec kSpec = {.templateId = kColourDetailsDialogId, .controls = {}};
}
// Placeholder until the dialog is written.
const platform::DialogSpec& ColourDetailsDialogSpec() { return kSpec; }
host::INT_PTR ShowColourDetails(host::HWND, PageSetContext*) { return 2; }
}  // namespace kx::ui
