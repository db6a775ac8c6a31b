#include "bench/time_keeper.h"

#include <algorithm>

namespace kx::ppd::bench {

void TimeKeeper::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    // Aggregates (mean, median, ...) repeat what the single repetitions already say.
    if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
    seconds_[run.run_name.function_name].push_back(run.real_accumulated_time /
                                                   static_cast<double>(run.iterations));
  }
  ConsoleReporter::ReportRuns(runs);
}

double TimeKeeper::SecondsPerIteration(const std::string& name) const {
  const auto found = seconds_.find(name);
  if (found == seconds_.end()) return 0;
  std::vector<double> values = found->second;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace kx::ppd::bench
