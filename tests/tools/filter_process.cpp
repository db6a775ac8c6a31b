#include "filter_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>

namespace kx::test {

std::string ReadTextFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

ProcessRun RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::string& input,
                      const std::string& scratch) {
  const std::string outPath = scratch + "/process-stdout";
  const std::string errPath = scratch + "/process-stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(),
                                   O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& variable : environment) envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);

  ProcessRun run;
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  run.out = ReadTextFile(outPath);
  run.err = ReadTextFile(errPath);
  return run;
}

std::vector<std::string> CupsFilterEnvironment(const std::string& ppd, const std::string& printer,
                                               const std::string& store) {
  std::vector<std::string> environment = {
      "PRINTER=" + printer,
      "PRINTER_INFO=" + printer,
      "PRINTER_LOCATION=",
      "CONTENT_TYPE=application/postscript",
      "FINAL_CONTENT_TYPE=application/vnd.vestral-kx48t7",
      "DEVICE_URI=file:///dev/null",
      "CHARSET=utf-8",
      "LANG=C",
      "PATH=/usr/lib/cups/filter:/usr/bin:/bin",
      "TMPDIR=" + store,
      "HOME=" + store,
      "KX48T7_STORE=" + store,
  };
  if (!ppd.empty()) environment.push_back("PPD=" + ppd);
  return environment;
}

}  // namespace kx::test
