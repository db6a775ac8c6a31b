// libcups's options regrouped as the features our library should list, in our order.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ppd_conformance/cups_view.h"
#include "ppd_conformance/deliberate_differences.h"
#include "ppd_conformance/entry_scan.h"

namespace kx::ppd::conformance {

inline constexpr size_t kNoOffset = static_cast<size_t>(-1);

// One libcups option whose choices land in an expected feature.
struct Contributor {
  const CupsOption* option = nullptr;
  Filing filing;
  size_t openUi = kNoOffset;  // its OpenUI entry; none when libcups made it without one
};

struct ExpectedFeature {
  std::string keyword;
  bool installable = false;
  size_t position = kNoOffset;  // offset of the entry that creates it in our library
  // Ordered by OpenUI entry: the first sets the UI type and translation in our library.
  std::vector<Contributor> contributors;
};

std::vector<ExpectedFeature> ExpectedFeatures(const CupsFile& cups,
                                              const EntryPositions& positions,
                                              DifferenceCounts& counts);

}  // namespace kx::ppd::conformance
