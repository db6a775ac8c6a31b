// The command line of kx48t7-settings:
//   kx48t7-settings [--printer NAME] [--json] GROUP VERB [NAME] [FIELD=VALUE...] [options]
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "entry.h"
#include "outcome.h"

namespace kx::settings_tool {

// Names the printer when --printer is not given, as it does for print filters.
inline constexpr char kPrinterEnvironmentVariable[] = "PRINTER";

struct Command {
  std::string printer;  // --printer, else $PRINTER
  bool json = false;
  bool help = false;
  std::string group;
  std::string verb;
  std::optional<std::string> name;
  Changes changes;
  std::optional<std::string> file;  // --file: export and import
  std::optional<std::string> png;   // --png: preview
  std::optional<std::string> kind;  // --kind: the profile kind
  std::optional<std::string> ppd;   // --ppd: printer install
};

// Fails with kExitUsage and a message naming what is wrong. `environmentPrinter` is the
// value of $PRINTER (empty when unset).
Outcome ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& environmentPrinter, Command* command);

extern const char kUsage[];

}  // namespace kx::settings_tool
