// A window on the screen for something outside the program to take its picture: the
// window drawn, its place on the screen, and a wait that keeps it drawn.
#pragma once

#include <string>

#include "host/window.h"

namespace kx::test {

// Shows `window` and lets it and its controls draw themselves until what they drew is on
// the screen.
void DrawOnScreen(host::HWND window);

// Where the window is on the screen, as X11 geometry: "<width>x<height>+<left>+<top>".
std::string ScreenGeometry(host::HWND window);

// Waits until the file `path` exists, handling the thread's messages meanwhile (so the
// window stays drawn); false when `timeoutMs` passed first.
bool WaitForFile(const std::u16string& path, unsigned timeoutMs);

}  // namespace kx::test
