// The one message box the rendering plug-in shows: a system-modal warning with an OK
// button. On Windows it is a real box; elsewhere there is no desktop to show it on, so the
// text goes to whoever hosts the plug-in (the host simulator records it) or, with no
// one listening, to standard error.
#pragma once

#include <string>

namespace kx::platform {

// Waits for the user on Windows; returns at once elsewhere.
void ShowWarningBox(const std::u16string& title, const std::u16string& text);

// Where the text of a warning box goes on systems without a desktop. The receiver is
// process-wide; null restores the default (standard error).
using WarningReceiver = void (*)(const std::u16string& title, const std::u16string& text,
                                 void* context);
void SetWarningReceiver(WarningReceiver receiver, void* context);

}  // namespace kx::platform
