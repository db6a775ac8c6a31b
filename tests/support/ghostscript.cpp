#include "support/ghostscript.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace kx::test {
namespace {

namespace fs = std::filesystem;

const char kUniversalExit[] = "\x1B%-12345X";

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

fs::path TemporaryFile(const char* suffix) {
  std::random_device random;
  return fs::temp_directory_path() / ("kx48t7-gs-" + std::to_string(random()) + suffix);
}

}  // namespace

std::string PostScriptPart(const std::string& job) {
  const size_t start = job.find("%!PS-Adobe");
  if (start == std::string::npos) return {};
  size_t end = job.rfind(kUniversalExit);
  if (end == std::string::npos || end < start) end = job.size();
  return job.substr(start, end - start);
}

GhostscriptRun RunGhostscript(const std::string& job,
                              const std::vector<std::string>& deviceArguments) {
  const fs::path file = TemporaryFile(".ps");
  std::ofstream(file, std::ios::binary) << PostScriptPart(job);
  std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER";
  for (const std::string& argument : deviceArguments) command += " " + Quote(argument);
  command += " " + Quote(KX48T7_PRINTER_PROLOG) + " " + Quote(file.string()) + " 2>&1";
  GhostscriptRun run;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    size_t count;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
      run.output.append(buffer.data(), count);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::error_code error;
  fs::remove(file, error);
  return run;
}

}  // namespace kx::test
