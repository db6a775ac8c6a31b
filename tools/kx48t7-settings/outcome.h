// What a verb ends with: the tool's exit code and, on failure, the message for standard
// error. The codes are part of the tool's interface (scripts test them); --help lists them.
#pragma once

#include <string>
#include <utility>

namespace kx::settings_tool {

enum ExitCode : int {
  kExitOk = 0,
  kExitStoreFailure = 1,   // the store could not be read or written
  kExitUsage = 2,          // the command line (or an import file) is malformed
  kExitNoPrinter = 3,      // no printer of that name is installed
  kExitUnknownName = 4,    // no entry of that name
  kExitOutOfRange = 5,     // a value the settings do not accept
  kExitPredefined = 6,     // the name belongs to a predefined entry
  kExitExists = 7,         // add of a name that is already stored
  kExitPreviewFailed = 8,  // the preview picture could not be made
};

struct Outcome {
  ExitCode code = kExitOk;
  std::string message;

  bool ok() const { return code == kExitOk; }
  static Outcome Ok() { return {}; }
  static Outcome Fail(ExitCode code, std::string message) { return {code, std::move(message)}; }
};

}  // namespace kx::settings_tool
