// Ghostscript as the printer's PostScript interpreter in tests: it runs the PostScript
// part of a job (the PJL around it removed) after a small prolog that stands in for what
// the printer has and Ghostscript lacks.
#pragma once

#include <string>
#include <vector>

namespace kx::test {

// The job from its "%!PS-Adobe" line up to the closing universal exit.
std::string PostScriptPart(const std::string& job);

struct GhostscriptRun {
  int status = -1;      // Ghostscript's exit status; 0 when the job ran without error
  std::string output;   // what it printed (errors included)
};

// Runs the PostScript part of `job` on the null device (or `device` with its
// arguments, such as {"-sDEVICE=pnggray", "-r20", "-sOutputFile=..."}).
GhostscriptRun RunGhostscript(const std::string& job,
                              const std::vector<std::string>& deviceArguments = {"-sDEVICE=nullpage"});

}  // namespace kx::test
