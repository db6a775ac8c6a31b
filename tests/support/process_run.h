// Running a program as its users run it: a separate process with its own argument vector
// and environment, standard input from a file, standard output and error captured. The
// one process runner of the tests and benchmarks.
#pragma once

#include <string>
#include <vector>

namespace kx::test {

struct ProcessRun {
  int status = -1;  // the exit status; -1 when the process did not start or exit normally
  std::string out;
  std::string err;
};

// Starts `program` with `arguments` (argv[0] first) and exactly `environment`
// (NAME=VALUE), standard input from `input` (empty: /dev/null), and waits for it. The
// output is captured in files in the directory `scratch`; with no `scratch` it is
// discarded (a benchmark's job costs no disk writes then).
ProcessRun RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::string& input,
                      const std::string& scratch);

// This process's environment, for a program that runs in it unchanged.
std::vector<std::string> CurrentEnvironment();

std::string ReadTextFile(const std::string& path);

}  // namespace kx::test
