// kx48t7-status: asks a printer over SNMP what the UI plug-in's device pages ask it, and
// prints the installed options the answers decide and the printer's supplies.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kx::status {

inline constexpr int kExitAnswered = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoAnswer = 3;

struct StatusOptions {
  std::string address;  // empty: looked up from --printer
  std::string printer;  // UTF-8
  std::string community = "kestra";
  bool json = false;
  bool help = false;
};

// False with *error set on a usage error.
bool ParseOptions(const std::vector<std::string>& arguments, StatusOptions* options,
                  std::string* error);

extern const char kUsage[];

// Runs the queries and prints the report; returns the exit status.
int RunStatus(const StatusOptions& options, std::ostream& out, std::ostream& err);

}  // namespace kx::status
