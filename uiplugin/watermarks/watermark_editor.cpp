#include "watermarks/watermark_editor.h"

namespace kx::ui {
namespace {
constexpr platform::DialogSpec kSpec = {.templateId = kWatermarkEditorId, .controls = {}};
}
// Placeholder until the editor is written.
const platform::DialogSpec& WatermarkEditorSpec() { return kSpec; }
host::INT_PTR ShowWatermarkEditor(host::HWND, PageSetContext*) { return kEditorCancelled; }
}  // namespace kx::ui
