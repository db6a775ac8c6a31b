// A console reporter that also keeps what each benchmark measured, so that the ratio of
// our loader to libcups's can be printed once every benchmark has run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace kx::ppd::bench {

class TimeKeeper : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;

  // Median wall-clock seconds per iteration over the repetitions of the benchmark
  // registered as `name`; 0 when it did not run (filtered out, or it failed).
  double SecondsPerIteration(const std::string& name) const;

 private:
  std::map<std::string, std::vector<double>> seconds_;
};

}  // namespace kx::ppd::bench
