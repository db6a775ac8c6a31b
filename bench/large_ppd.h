// A large synthetic PPD file for the load benchmark: many features and options with
// multi-line invocation code, page sizes, an installable group, JCL features,
// constraints, order dependencies and fonts. Both our library and libcups accept it.
#pragma once

#include <cstdint>
#include <filesystem>

namespace kx::ppd::bench {

// Writes the file, at least `minimumBytes` long, and returns its size; 0 when it could
// not be written.
std::uintmax_t WriteLargePpd(const std::filesystem::path& file, std::uintmax_t minimumBytes);

}  // namespace kx::ppd::bench
