// Opening a page with the configured viewer command, or with the thread's receiver.
#include "platform/shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/last_error.h"
#include "platform/text.h"
#include "system_error_codes.h"

extern char** environ;

namespace kx::platform {
namespace {

constexpr char kPageCommandVariable[] = "KX48T7_PAGE_COMMAND";
constexpr char kShell[] = "/bin/sh";

struct Receiver {
  PageReceiver function = nullptr;
  void* context = nullptr;
};

Receiver& ThreadReceiver() {
  thread_local Receiver receiver;
  return receiver;
}

// The configured command runs in the background of a short-lived shell: the shell is
// waited for at once and the viewer is left to the system, so no child of the host
// process stays behind as a zombie and no SIGCHLD handling of the host is disturbed.
// The page is passed as a positional argument, never as part of the script.
bool StartViewer(const std::string& command, const std::string& page) {
  const std::string script = command + " \"$1\" </dev/null &";
  std::string shell = kShell;
  std::string option = "-c";
  std::string name = "kx48t7-page";
  std::string argument = page;
  char* argv[] = {shell.data(), option.data(), const_cast<char*>(script.c_str()), name.data(),
                  argument.data(), nullptr};
  pid_t child = 0;
  const int error = posix_spawn(&child, kShell, nullptr, nullptr, argv, environ);
  if (error != 0) {
    SetLastErrorCode(detail::Win32ErrorFromErrno(error));
    return false;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
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
