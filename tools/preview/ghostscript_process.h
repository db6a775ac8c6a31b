// Ghostscript as a child process: started from the search path, its standard output and
// error collected, waited for.
#pragma once

#include <string>
#include <vector>

namespace kx::preview {

struct ProcessRun {
  bool started = false;
  int startError = 0;   // errno of a failed start (ENOENT: not installed)
  int exitStatus = -1;  // -1 when the process did not exit normally
  std::string output;   // standard output and standard error together
};

// Runs `arguments[0]` (looked up in PATH) with the rest as its arguments, standard input
// from /dev/null.
ProcessRun RunProcess(const std::vector<std::string>& arguments);

}  // namespace kx::preview
