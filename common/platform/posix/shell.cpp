// Opening a page with the configured viewer command, or with the thread's receiver.
#include "platform/shell.h"

#include <cstdlib>
#include <string>

#include "background_shell.h"
#include "platform/last_error.h"
#include "platform/text.h"
#include "system_error_codes.h"

namespace kx::platform {
namespace {

constexpr char kPageCommandVariable[] = "KX48T7_PAGE_COMMAND";

struct Receiver {
  PageReceiver function = nullptr;
  void* context = nullptr;
};

Receiver& ThreadReceiver() {
  thread_local Receiver receiver;
  return receiver;
}

// The configured command runs in the background; the page is a positional parameter.
bool StartViewer(const std::string& command, const std::string& page) {
  return detail::RunInBackgroundShell(command + " \"$1\" </dev/null &", {"kx48t7-page", page});
}

}  // namespace

bool OpenPage(const std::u16string& page) {
  const Receiver receiver = ThreadReceiver();
  if (receiver.function != nullptr) return receiver.function(receiver.context, page);
  const char* command = std::getenv(kPageCommandVariable);
  if (command == nullptr || *command == '\0') {
    SetLastErrorCode(kErrorFileNotFound);
    return false;
  }
  return StartViewer(command, Utf16ToUtf8(page));
}

void SetPageReceiver(PageReceiver receiver, void* context) {
  ThreadReceiver() = Receiver{receiver, receiver != nullptr ? context : nullptr};
}

}  // namespace kx::platform
