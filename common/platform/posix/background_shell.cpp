#include "background_shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "platform/last_error.h"
#include "system_error_codes.h"

extern char** environ;

namespace kx::platform::detail {
namespace {

constexpr char kShell[] = "/bin/sh";
// The first descriptor beyond standard input, output and error.
constexpr int kFirstPrivateDescriptor = 3;

class SpawnActions {
 public:
  SpawnActions() {
    posix_spawn_file_actions_init(&actions_);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    posix_spawn_file_actions_addclosefrom_np(&actions_, kFirstPrivateDescriptor);
#endif
  }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

}  // namespace

bool RunInBackgroundShell(const std::string& script, const std::vector<std::string>& parameters) {
  std::string shell = kShell;
  std::string option = "-c";
  std::string text = script;
  std::vector<std::string> values = parameters;
  std::vector<char*> argv = {shell.data(), option.data(), text.data()};
  for (std::string& value : values) argv.push_back(value.data());
  argv.push_back(nullptr);
  const SpawnActions actions;
  pid_t child = 0;
  const int error = posix_spawn(&child, kShell, actions.get(), nullptr, argv.data(), environ);
  if (error != 0) {
    SetLastErrorCode(Win32ErrorFromErrno(error));
    return false;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace kx::platform::detail
