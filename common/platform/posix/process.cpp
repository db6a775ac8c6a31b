// Starting another program without waiting for it, or handing the start to the thread's
// receiver.
#include "platform/process.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "background_shell.h"
#include "platform/last_error.h"
#include "platform/text.h"
#include "system_error_codes.h"

namespace kx::platform {
namespace {

// The program and its arguments are positional parameters of the shell.
constexpr char kDetachScript[] = "\"$0\" \"$@\" &";

struct Receiver {
  ProgramReceiver function = nullptr;
  void* context = nullptr;
};

Receiver& ThreadReceiver() {
  thread_local Receiver receiver;
  return receiver;
}

// The shell would report a program it cannot run only in its own exit status, after
// the fact; the checks it would make are made here first. 0 or an errno value.
int ProgramError(const std::string& program) {
  struct stat status {};
  if (stat(program.c_str(), &status) != 0) return errno;
  if (!S_ISREG(status.st_mode)) return EACCES;
  return access(program.c_str(), X_OK) == 0 ? 0 : errno;
}

}  // namespace

bool StartProgram(const std::u16string& program, const std::vector<std::u16string>& arguments) {
  const Receiver receiver = ThreadReceiver();
  if (receiver.function != nullptr) return receiver.function(receiver.context, program, arguments);
  std::string path = Utf16ToUtf8(program);
  if (const int error = ProgramError(path); error != 0) {
    SetLastErrorCode(detail::Win32ErrorFromErrno(error));
    return false;
  }
  // A name without a directory would be looked up in PATH by the shell.
  if (path.find('/') == std::string::npos) path.insert(0, "./");
  std::vector<std::string> parameters = {std::move(path)};
  for (const std::u16string& argument : arguments) parameters.push_back(Utf16ToUtf8(argument));
  return detail::RunInBackgroundShell(kDetachScript, parameters);
}

void SetProgramReceiver(ProgramReceiver receiver, void* context) {
  ThreadReceiver() = Receiver{receiver, receiver != nullptr ? context : nullptr};
}

}  // namespace kx::platform
