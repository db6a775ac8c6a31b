// Our PPD image's features and options, copied into plain values in list order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ppd/ppd.h"

namespace kx::ppd::conformance {

// The strings an option can carry: every option has an invocation; PageSize options also
// keep their PageRegion invocation, Resolution options their JCLResolution and
// SetResolution invocations.
enum class Invocation { kInvocation, kPageRegion, kJclResolution, kSetResolution };

struct KxOption {
  std::string keyword;
  std::optional<std::string> translation;
  std::optional<std::string> invocations[4];  // indexed by Invocation; absent when null

  const std::optional<std::string>& invocation(Invocation which) const {
    return invocations[static_cast<int>(which)];
  }
};

struct KxFeature {
  std::string keyword;
  std::optional<std::string> translation;
  uint16_t uiType = 0;
  uint16_t flags = 0;
  bool installable = false;
  uint32_t defaultIndex = 0;
  std::vector<KxOption> options;
};

std::vector<KxFeature> ReadFeatures(const PpdImage* image);

}  // namespace kx::ppd::conformance
