#include "support/process_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>

extern char** environ;

namespace kx::test {

namespace {

std::vector<char*> NullTerminated(const std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (const std::string& word : words) pointers.push_back(const_cast<char*>(word.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::string ReadTextFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    environment.emplace_back(*variable);
  }
  return environment;
}

ProcessRun RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::string& input,
                      const std::string& scratch) {
  const std::string outPath = scratch.empty() ? "/dev/null" : scratch + "/process-stdout";
  const std::string errPath = scratch.empty() ? "/dev/null" : scratch + "/process-stderr";
  constexpr int kWriteFlags = O_WRONLY | O_CREAT | O_TRUNC;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(),
                                   O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), kWriteFlags, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), kWriteFlags, 0600);
  const std::vector<char*> argv = NullTerminated(arguments);
  const std::vector<char*> envp = NullTerminated(environment);

  ProcessRun run;
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  if (!scratch.empty()) {
    run.out = ReadTextFile(outPath);
    run.err = ReadTextFile(errPath);
  }
  return run;
}

}  // namespace kx::test
