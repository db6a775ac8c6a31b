// Ghostscript as the printer's PostScript interpreter in tests: it runs the PostScript
// part of a job (the PJL around it removed) after a small prolog that stands in for what
// the printer has and Ghostscript lacks.
#pragma once

#include <cstddef>
#include <cstdint>
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

// A page as Ghostscript prints it: 8-bit gray, row 0 at the top.
struct GrayPage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  uint8_t At(int column, int row) const {
    return pixels[static_cast<size_t>(row) * static_cast<size_t>(width) +
                  static_cast<size_t>(column)];
  }
  // No ink anywhere.
  bool Blank() const {
    for (const uint8_t value : pixels) {
      if (value != kWhitePixel) return false;
    }
    return true;
  }
  static constexpr uint8_t kWhitePixel = 255;
};

// The pages of `job` as Ghostscript prints them at `dpi` (its pgmraw device, in a
// temporary folder removed again); `run` gets Ghostscript's status and output.
std::vector<GrayPage> RenderGrayPages(const std::string& job, int dpi, GhostscriptRun* run);

}  // namespace kx::test
