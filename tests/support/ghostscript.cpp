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

// Reads a binary PGM ("P5", maximum 255) as Ghostscript's pgmraw device writes it.
bool ReadPgm(const fs::path& path, GrayPage* page) {
  std::ifstream file(path, std::ios::binary);
  std::string magic;
  file >> magic;
  if (magic != "P5") return false;
  int values[3] = {};  // width, height, maximum; Ghostscript may put comments before them
  for (int& value : values) {
    file >> std::ws;
    while (file.peek() == '#') {
      std::string comment;
      std::getline(file, comment);
      file >> std::ws;
    }
    file >> value;
  }
  file.get();  // the single blank after the maximum
  if (!file || values[2] != 255 || values[0] <= 0 || values[1] <= 0) return false;
  page->width = values[0];
  page->height = values[1];
  page->pixels.resize(static_cast<size_t>(page->width) * static_cast<size_t>(page->height));
  file.read(reinterpret_cast<char*>(page->pixels.data()),
            static_cast<std::streamsize>(page->pixels.size()));
  return static_cast<size_t>(file.gcount()) == page->pixels.size();
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

std::vector<GrayPage> RenderGrayPages(const std::string& job, int dpi, GhostscriptRun* run) {
  const fs::path folder = TemporaryFile("-pages");
  fs::create_directories(folder);
  *run = RunGhostscript(job, {"-sDEVICE=pgmraw", "-r" + std::to_string(dpi),
                              "-sOutputFile=" + (folder / "page-%d.pgm").string()});
  std::vector<GrayPage> pages;
  for (int number = 1;; ++number) {
    GrayPage page;
    if (!ReadPgm(folder / ("page-" + std::to_string(number) + ".pgm"), &page)) break;
    pages.push_back(std::move(page));
  }
  std::error_code error;
  fs::remove_all(folder, error);
  return pages;
}

}  // namespace kx::test
