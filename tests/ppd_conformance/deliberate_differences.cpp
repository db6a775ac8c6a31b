#include "ppd_conformance/deliberate_differences.h"

namespace kx::ppd::conformance {

const DifferenceRow& Row(Difference id) { return kDifferences[static_cast<size_t>(id)]; }

Filing FilingOf(std::string_view cupsKeyword) {
  for (const Filing& filing : kFilings) {
    if (filing.cupsKeyword == cupsKeyword) return filing;
  }
  return {cupsKeyword, cupsKeyword, Invocation::kInvocation, DefaultRule::kSame,
          Difference::kCount};
}

}  // namespace kx::ppd::conformance
