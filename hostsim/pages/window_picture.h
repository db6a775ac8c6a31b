// Windows as the user sees them, and their pictures: a window drawn on the screen, its
// picture read back from the screen, written as a PNG file.
#pragma once

#include <string>

#include "host/window.h"
#include "hostsim/png_image.h"

namespace kx::hostsim {

// Handles the thread's messages (timers among them) for `durationMs`.
void HandleMessagesFor(unsigned durationMs);

// Shows `window` and lets it and its controls draw themselves until what they drew is on
// the screen.
void DrawOnScreen(host::HWND window);

// What the screen shows where the window is, frame and all; invalid when the screen
// cannot be read.
RgbImage TakePicture(host::HWND window);

// Writes the picture as a PNG file; false when it is blank (a single colour) or the file
// cannot be written, with *error set.
bool SavePicture(const RgbImage& picture, const std::u16string& path, std::string* error);

}  // namespace kx::hostsim
