#include "watermarks/editor_state.h"

namespace kx::ui {

WatermarkEditorState& EditorState() {
  static WatermarkEditorState state;
  return state;
}

}  // namespace kx::ui
