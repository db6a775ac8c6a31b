#include "bench/alternating_timer.h"

#include <algorithm>

namespace kx::ppd::bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsPerLoad(LoadOnce load, const BenchFile& file, int loads) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < loads; ++i) load(file);
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  return elapsed.count() / loads;
}

// Enough loads that the slower loader's round lasts the round length.
int LoadsPerRound(LoadOnce ours, LoadOnce libcups, const BenchFile& file,
                  const TimerSettings& settings) {
  const double slower = std::max(SecondsPerLoad(ours, file, 1), SecondsPerLoad(libcups, file, 1));
  const double wanted = std::chrono::duration<double>(settings.roundLength).count();
  return std::max(1, static_cast<int>(wanted / std::max(slower, 1e-9)));
}

}  // namespace

PairTiming TimeAlternating(LoadOnce ours, LoadOnce libcups, const BenchFile& file,
                           const TimerSettings& settings) {
  PairTiming timing;
  timing.loadsPerRound = LoadsPerRound(ours, libcups, file, settings);
  timing.ours = timing.libcups = 1e30;
  for (int round = 0; round < settings.rounds; ++round) {
    const bool oursFirst = round % 2 == 0;
    const double first = SecondsPerLoad(oursFirst ? ours : libcups, file, timing.loadsPerRound);
    const double second = SecondsPerLoad(oursFirst ? libcups : ours, file, timing.loadsPerRound);
    timing.ours = std::min(timing.ours, oursFirst ? first : second);
    timing.libcups = std::min(timing.libcups, oursFirst ? second : first);
  }
  return timing;
}

}  // namespace kx::ppd::bench
