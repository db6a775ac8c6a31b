// What the watermark editor keeps for as long as the plug-in is loaded, and what an open
// editor shows in its balloon. One editor is open at a time, on the UI thread.
#pragma once

#include <cstdint>
#include <string>

#include "host/window.h"
#include "tips.h"

namespace kx::ui {

class WatermarkEditorState {
 public:
  static constexpr int32_t kShadeUnset = -1;

  // The shade black comes back to after a colour; set at the editor's first opening.
  int32_t savedShade = kShadeUnset;
  // The text of the balloon last shown; the balloon asks for it (TTN_GETDISPINFOW).
  std::u16string message;
};

WatermarkEditorState& EditorState();

// The balloon of an open editor: its window, and the box it is shown at (0: hidden).
TipState BalloonOf(host::HWND editor);

}  // namespace kx::ui
