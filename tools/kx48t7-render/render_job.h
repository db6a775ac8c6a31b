// Renders one job as kx48t7-render's options describe it.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "options.h"

namespace kx::render {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The job's error: a message and the exit status it leads to.
struct Failure {
  int status;
  std::string message;
};

// Receives each warning the plug-in shows (a message box on a desktop): title and text.
using WarningSink = std::function<void(const std::string& title, const std::string& text)>;

// Renders the job the options describe into `out` (or the record's fields, or the file
// named by --output); the same job whoever asks for it, the tool or the print filter.
std::optional<Failure> RenderJob(const RenderOptions& options, std::istream& in,
                                 std::ostream& out, const WarningSink& warn);

// Writes the job (or the record's fields) to `out` and reasons to `err`; returns the
// exit status.
int RunRender(const RenderOptions& options, std::istream& in, std::ostream& out,
              std::ostream& err);

}  // namespace kx::render
