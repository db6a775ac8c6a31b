// Placeholder until the dialog is built.
#include "colour/features_page.h"

namespace kx::ui {

const platform::DialogSpec& FeaturesPageSpec() {
  static const platform::DialogSpec spec = {.templateId = kFeaturesPageId, .caption = "", .width = 100, .height = 50, .style = 0, .exStyle = 0, .controls = {}};
  return spec;
}

host::INT_PTR KX_STDCALL FeaturesPageProcedure(host::HWND, host::UINT, host::WPARAM, host::LPARAM) { return 0; }

}  // namespace kx::ui
