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
  std::optional<std::string> printer;        // a printer of the store: PPD, DevOpts, libraries
  std::optional<std::string> watermark;      // a name in the printer's watermark library
  std::optional<std::string> customSetting;  // a name among the printer's custom settings
  bool printRecord = false;
  bool help = false;
};

// False with *error set on a usage error.
bool ParseOptions(const std::vector<std::string>& arguments, RenderOptions* options,
                  std::string* error);

// False with *error set when the store options are incomplete: an empty name, or a
// watermark or custom setting without the printer whose libraries hold it.
bool CheckStoreOptions(const RenderOptions& options, std::string* error);

extern const char kUsage[];

}  // namespace kx::render
