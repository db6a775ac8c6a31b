#include "platform/message_box.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "platform/text.h"

namespace kx::platform {

namespace {

// The receiver and its context change together, and a box is shown with the lock held:
// once SetWarningReceiver returns, the previous receiver is neither running nor called
// again, so its context may go away. The lock is recursive so that a receiver may show
// another box or change the receiver itself.
struct WarningDestination {
  std::recursive_mutex mutex;
  WarningReceiver receiver = nullptr;
  void* context = nullptr;
};

WarningDestination& Destination() {
  // Never destroyed: a box shown while the process exits still finds it.
  static WarningDestination* const destination = new WarningDestination;
  return *destination;
}

}  // namespace

void ShowWarningBox(const std::u16string& title, const std::u16string& text) {
  WarningDestination& destination = Destination();
  std::lock_guard lock(destination.mutex);
  if (destination.receiver != nullptr) {
    destination.receiver(title, text, destination.context);
    return;
  }
  // One write per box, so that boxes from several threads do not mix their lines.
  const std::string line = Utf16ToUtf8(title) + ": " + Utf16ToUtf8(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

void SetWarningReceiver(WarningReceiver receiver, void* context) {
  WarningDestination& destination = Destination();
  std::lock_guard lock(destination.mutex);
  destination.receiver = receiver;
  destination.context = receiver != nullptr ? context : nullptr;
}

}  // namespace kx::platform
