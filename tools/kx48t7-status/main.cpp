#include <iostream>
#include <string>
#include <vector>

#include "status_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  kx::status::StatusOptions options;
  std::string error;
  if (!kx::status::ParseOptions(arguments, &options, &error)) {
    std::cerr << "kx48t7-status: " << error << "\nTry 'kx48t7-status --help'.\n";
    return kx::status::kExitUsage;
  }
  return kx::status::RunStatus(options, std::cout, std::cerr);
}
