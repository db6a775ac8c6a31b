// The one message box the rendering plug-in shows: a system-modal warning with an OK
// button. On Windows it is a real box; elsewhere there is no desktop to show it on, so the
// text goes to whoever hosts the plug-in (the host simulator records it) or, with no
// one listening, to standard error.
#pragma once

#include <string>

namespace kx::platform {

// Waits for the user on Windows; returns at once elsewhere.
void ShowWarningBox(const std::u16string& title, const std::u16string& text);

// Lets a host without a user (the host simulator) take the warnings instead.
//
// Without a desktop: the receiver gets the text of every warning box of the process; null
// restores the default (standard error).
//
// On Windows: the receiver gets the title and text of each message box shown on the
// thread that set it, whichever module shows it, and the box is answered with OK at once;
// null stops that. Each thread has its own receiver.
using WarningReceiver = void (*)(const std::u16string& title, const std::u16string& text,
                                 void* context);
void SetWarningReceiver(WarningReceiver receiver, void* context);

}  // namespace kx::platform
