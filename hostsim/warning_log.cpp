#include "hostsim/warning_log.h"

#include <utility>

#include "platform/message_box.h"

namespace kx::hostsim {

WarningLog::WarningLog() { platform::SetWarningReceiver(&WarningLog::Receive, this); }

WarningLog::~WarningLog() { platform::SetWarningReceiver(nullptr, nullptr); }

std::vector<Warning> WarningLog::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(warnings_, {});
}

void WarningLog::Receive(const std::u16string& title, const std::u16string& text, void* context) {
  auto* log = static_cast<WarningLog*>(context);
  std::lock_guard lock(log->mutex_);
  log->warnings_.push_back({title, text});
}

}  // namespace kx::hostsim
