// Opening a page with the system's viewer: a help page (a local HTML file) or a web
// address. On Windows the shell opens it with the default browser; elsewhere the command
// in the environment variable KX48T7_PAGE_COMMAND is started with the page as its one
// argument, without waiting.
#pragma once

#include <string>

namespace kx::platform {

// False with the last error set when nothing could be started (2 when no viewer is
// configured).
bool OpenPage(const std::u16string& page);

// Lets a host without a user (tests) take the requests instead: every OpenPage of the
// calling thread goes to the receiver, which answers in place of the viewer. Null restores
// the viewer.
using PageReceiver = bool (*)(void* context, const std::u16string& page);
void SetPageReceiver(PageReceiver receiver, void* context);

}  // namespace kx::platform
