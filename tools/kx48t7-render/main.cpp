#include <iostream>
#include <string>
#include <vector>

#include "options.h"
#include "render_job.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  kx::render::RenderOptions options;
  std::string error;
  if (!kx::render::ParseOptions(arguments, &options, &error)) {
    std::cerr << "kx48t7-render: " << error << "\nTry 'kx48t7-render --help'.\n";
    return kx::render::kExitUsage;
  }
  return kx::render::RunRender(options, std::cin, std::cout, std::cerr);
}
