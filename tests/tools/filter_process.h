// Running the print filter and the render tool as separate processes, the filter exactly
// as CUPS starts filters: its own argument vector (argv[0] is the queue's name), an
// environment of its own, the job on standard input or in a file, the printer's job on
// standard output and messages on standard error.
#pragma once

#include <string>
#include <vector>

namespace kx::test {

struct ProcessRun {
  int status = -1;  // the exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

// Starts `program` with `arguments` (argv[0] first) and exactly `environment`
// (NAME=VALUE), standard input from `input` (empty: /dev/null), and waits for it.
// `scratch` is a directory for the captured output.
ProcessRun RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::string& input,
                      const std::string& scratch);

// The environment CUPS gives a filter of the queue: PPD, PRINTER and the other variables
// a filter may read, with the store the test uses.
std::vector<std::string> CupsFilterEnvironment(const std::string& ppd, const std::string& printer,
                                               const std::string& store);

std::string ReadTextFile(const std::string& path);

}  // namespace kx::test
