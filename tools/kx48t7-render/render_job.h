// Renders one job as kx48t7-render's options describe it.
#pragma once

#include <iosfwd>

#include "options.h"

namespace kx::render {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Writes the job (or the record's fields) to `out` and reasons to `err`; returns the
// exit status.
int RunRender(const RenderOptions& options, std::istream& in, std::ostream& out,
              std::ostream& err);

}  // namespace kx::render
