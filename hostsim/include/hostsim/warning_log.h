// The warnings the plug-ins show while the simulator hosts them. Without a desktop the
// simulator collects their texts for tests and tools; on Windows the warnings are message
// boxes, and the log takes those shown on the thread that made it, answering each with OK.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace kx::hostsim {

struct Warning {
  std::u16string title;
  std::u16string text;
};

class WarningLog {
 public:
  // Starts collecting the process's warnings (until destroyed).
  WarningLog();
  ~WarningLog();
  WarningLog(const WarningLog&) = delete;
  WarningLog& operator=(const WarningLog&) = delete;

  // The warnings shown since the last call, oldest first.
  std::vector<Warning> Take();

 private:
  static void Receive(const std::u16string& title, const std::u16string& text, void* context);

  std::mutex mutex_;
  std::vector<Warning> warnings_;
};

}  // namespace kx::hostsim
