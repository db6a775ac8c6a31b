#include "ghostscript_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

extern char** environ;

namespace kx::preview {
namespace {

// Closes the descriptors it holds when it goes.
class Pipe {
 public:
  Pipe() {
    if (pipe2(ends_.data(), O_CLOEXEC) != 0) ends_ = {-1, -1};
  }
  ~Pipe() {
    CloseWriteEnd();
    if (ends_[0] >= 0) close(ends_[0]);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  bool ok() const { return ends_[0] >= 0; }
  int readEnd() const { return ends_[0]; }
  int writeEnd() const { return ends_[1]; }
  void CloseWriteEnd() {
    if (ends_[1] >= 0) close(ends_[1]);
    ends_[1] = -1;
  }

 private:
  std::array<int, 2> ends_{-1, -1};
};

std::string ReadAll(int descriptor) {
  std::string text;
  std::array<char, 4096> buffer;
  for (;;) {
    const ssize_t count = read(descriptor, buffer.data(), buffer.size());
    if (count > 0) {
      text.append(buffer.data(), static_cast<size_t>(count));
    } else if (count == 0 || errno != EINTR) {
      return text;
    }
  }
}

}  // namespace

ProcessRun RunProcess(const std::vector<std::string>& arguments) {
  ProcessRun run;
  if (arguments.empty()) {
    run.startError = EINVAL;
    return run;
  }
  Pipe output;
  if (!output.ok()) {
    run.startError = errno;
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output.writeEnd(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output.writeEnd(), STDERR_FILENO);

  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t child = 0;
  const int status = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (status != 0) {
    run.startError = status;
    return run;
  }
  run.started = true;
  output.CloseWriteEnd();
  run.output = ReadAll(output.readEnd());

  int waitStatus = 0;
  while (waitpid(child, &waitStatus, 0) < 0 && errno == EINTR) {
  }
  run.exitStatus = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
  return run;
}

}  // namespace kx::preview
