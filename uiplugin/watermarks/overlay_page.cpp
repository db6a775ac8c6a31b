#include "watermarks/overlay_page.h"

namespace kx::ui {
namespace {
constexpr platform::DialogSpec kSpec = {.templateId = kOverlayPageId, .controls = {}};
}
// Placeholder until the page is written.
const platform::DialogSpec& OverlayPageSpec() { return kSpec; }
host::INT_PTR KX_STDCALL OverlayPageProcedure(host::HWND, host::UINT, host::WPARAM, host::LPARAM) {
  return 0;
}
}  // namespace kx::ui
