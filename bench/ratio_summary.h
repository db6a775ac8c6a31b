// The table printed once every file has been timed: for each file, our load time over
// libcups's, then the median and the worst ratio of each corpus and the worst file.
#pragma once

#include <vector>

#include "bench/alternating_timer.h"
#include "bench/bench_files.h"

namespace kx::ppd::bench {

// Our PpdOpen + PpdClose may take at most this share of libcups's ppdOpenFile + ppdClose
// on every file; the goal beyond it is kGoalRatio.
inline constexpr double kTargetRatio = 0.2;
inline constexpr double kGoalRatio = 0.1;

struct FileTiming {
  const BenchFile* file;
  PairTiming timing;
  double ratio() const { return timing.ours / timing.libcups; }
};

// Prints one row a file and the summary; returns how many files are above the target.
int PrintRatioSummary(const std::vector<FileTiming>& rows);

}  // namespace kx::ppd::bench
