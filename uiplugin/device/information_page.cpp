#include "device/information_page.h"

namespace kx::ui {

namespace {
constexpr platform::DialogSpec kSpec = {.templateId = kInformationPageId, .controls = {}};
}

const platform::DialogSpec& InformationPageSpec() { return kSpec; }
host::INT_PTR KX_STDCALL InformationPageProcedure(host::HWND, host::UINT, host::WPARAM, host::LPARAM) {
  return 0;
}

}  // namespace kx::ui
