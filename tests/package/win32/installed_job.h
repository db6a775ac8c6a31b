// A printer as the plug-ins see it through the spooler: its driver's files, and a job
// rendered by a plug-in module on it as the host driver renders it. Kept apart from the
// tests that use the system's headers, whose names the host ABI and the platform layer
// also use.
#pragma once

#include <string>
#include <vector>

namespace kx::package {

struct InstalledDriver {
  std::u16string dataFile;
  std::vector<std::u16string> dependentFiles;
};

// The printer's driver information (level 3); false with *error set.
bool ReadInstalledDriver(const std::u16string& printer, InstalledDriver* driver,
                         std::string* error);

// The job of the one-page sample document on the printer, or empty with *error set.
std::string RenderSampleJob(const std::string& pluginPath, const std::u16string& printer,
                            std::string* error);

}  // namespace kx::package
