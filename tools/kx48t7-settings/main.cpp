#include <iostream>
#include <string>
#include <vector>

#include "tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return kx::settings_tool::RunSettingsTool(arguments, std::cout, std::cerr);
}
