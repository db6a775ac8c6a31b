// The command line of kx48t7-render.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hostsim/host_device.h"

namespace kx::render {

struct RenderOptions {
  std::optional<std::string> document;  // a path, "-" for standard input; none: the sample
  int samplePages = 3;
  std::optional<std::string> ppdFile;
  std::optional<std::string> recordIn;
  std::optional<std::string> recordOut;
  std::optional<std::string> output;    // none: standard output
  std::optional<std::string> plugin;
  std::vector<std::pair<std::string, std::string>> fieldSettings;  // --set, in order
  hostsim::DeviceModeSettings deviceMode;
  std::optional<std::string> documentName;
  bool printRecord = false;
  bool help = false;
};

// False with *error set on a usage error.
bool ParseOptions(const std::vector<std::string>& arguments, RenderOptions* options,
                  std::string* error);

extern const char kUsage[];

}  // namespace kx::render
