// Reading files. Paths are UTF-16, as the plug-ins receive them from the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kx::platform {

// Reads the whole file; false with the last error set (2 when it does not exist).
bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>* contents);

// Writes the whole file, replacing it; false with the last error set.
bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& contents);

}  // namespace kx::platform
