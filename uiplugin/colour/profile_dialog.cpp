#include "colour/profile_dialog.h"

namespace kx::ui {
namespace {
constexpr platform::DialogSpec kSpec = {.templateId = kProfileDialogId, .controls = {}};
}
// Placeholder until the dialog is written.
const platform::DialogSpec& ProfileDialogSpec() { return kSpec; }
host::INT_PTR ShowProfileManager(host::HWND, PageSetContext*, ProfileKind) { return 2; }
}  // namespace kx::ui
