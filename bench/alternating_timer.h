// Times two loaders on one file in alternating rounds, so that whatever else the machine
// is doing weighs on both alike, and keeps each loader's best round.
#pragma once

#include <chrono>

#include "bench/bench_files.h"

namespace kx::ppd::bench {

struct TimerSettings {
  int rounds = 15;
  // Each round loads the file this long at least with the slower loader, so that the
  // clock's resolution and the loop's own cost stay negligible on small files.
  std::chrono::microseconds roundLength{2000};
};

struct PairTiming {
  double ours = 0;     // best seconds per load
  double libcups = 0;  // best seconds per load
  int loadsPerRound = 0;
};

// A loader: loads and frees the file once; false when it refuses it.
using LoadOnce = bool (*)(const BenchFile& file);

// Runs `rounds` rounds, each loading the file the same number of times with one loader
// and then the other (the order swapping every round), and returns the best per-load
// time of each.
PairTiming TimeAlternating(LoadOnce ours, LoadOnce libcups, const BenchFile& file,
                           const TimerSettings& settings);

}  // namespace kx::ppd::bench
