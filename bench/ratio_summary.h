// The table printed after the benchmarks: for each file, our load time over libcups's.
#pragma once

#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/time_keeper.h"

namespace kx::ppd::bench {

// Our PpdOpen + PpdClose may take at most this share of libcups's ppdOpenFile + ppdClose.
inline constexpr double kTargetRatio = 0.33;

// Names the two benchmarks of `file` are registered under.
std::string OursName(const BenchFile& file);
std::string LibcupsName(const BenchFile& file);

// Prints one row a file, then min, median and max a group; returns how many files that
// ran on both sides are above the target ratio.
int PrintRatioSummary(const std::vector<BenchFile>& files, const TimeKeeper& times);

}  // namespace kx::ppd::bench
