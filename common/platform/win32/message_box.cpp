#include "platform/message_box.h"

#include "windows_support.h"

namespace kx::platform {

void ShowWarningBox(const std::u16string& title, const std::u16string& text) {
  ::MessageBoxW(nullptr, win32::Wide(text), win32::Wide(title),
                MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL);
}

// Windows has a desktop: every box is shown to the user, so there is nothing to receive.
void SetWarningReceiver(WarningReceiver, void*) {}

}  // namespace kx::platform
