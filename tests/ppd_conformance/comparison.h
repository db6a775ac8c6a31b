// Comparing our features and options with what libcups makes of the same PPD file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "ppd_conformance/cups_view.h"
#include "ppd_conformance/deliberate_differences.h"
#include "ppd_conformance/entry_scan.h"
#include "ppd_conformance/expected_features.h"
#include "ppd_conformance/kx_view.h"

namespace kx::ppd::conformance {

inline constexpr size_t kMissing = static_cast<size_t>(-1);

struct Totals {
  size_t files = 0;
  size_t features = 0;
  size_t options = 0;
  DifferenceCounts counts;
};

// Position of option `keyword` in `feature`, or kMissing.
size_t IndexOf(const KxFeature& feature, std::string_view keyword);
const KxFeature* Find(const std::vector<KxFeature>& features, std::string_view keyword);

// Loads `file` with both libraries and compares every feature that both keep, with gtest
// expectations.
void CompareFile(const std::filesystem::path& file, Totals& totals);

// The options, their order, invocations, translations and default of one feature.
void CompareOptions(const ExpectedFeature& expected, const KxFeature& ours,
                    const std::vector<KxFeature>& all, const CupsFile& cups,
                    const EntryPositions& positions, Totals& totals);

void PrintTotals(const Totals& totals);

}  // namespace kx::ppd::conformance
