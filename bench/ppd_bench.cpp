// Times loading a PPD file with our library (PpdOpen + PpdClose) against libcups
// (ppdOpenFile + ppdClose) on the same files, then prints our time over libcups's for
// each file. Google Benchmark's own flags apply (--benchmark_filter and the like).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/bench_files.h"
#include "bench/cups_loader.h"
#include "bench/ratio_summary.h"
#include "bench/time_keeper.h"
#include "ppd/ppd.h"
#include "ppd_conformance/third_party_ppds.h"

namespace kx::ppd::bench {
namespace {

void LoadWithOurs(benchmark::State& state, const std::u16string& path, std::uintmax_t bytes) {
  for (auto _ : state) {
    const PpdImage* image = PpdOpen(path.c_str());
    benchmark::DoNotOptimize(image);
    PpdClose(image);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void LoadWithLibcups(benchmark::State& state, const std::string& path, std::uintmax_t bytes) {
  for (auto _ : state) benchmark::DoNotOptimize(CupsOpenAndClose(path.c_str()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// A file that either loader refuses would time a failure path, not a load.
bool BothLoad(const BenchFile& file) {
  const PpdImage* image = PpdOpen(file.path.u16string().c_str());
  PpdClose(image);
  const bool cups = CupsOpenAndClose(file.path.c_str());
  if (image == nullptr) std::fprintf(stderr, "error: PpdOpen refuses %s\n", file.path.c_str());
  if (!cups) std::fprintf(stderr, "error: ppdOpenFile refuses %s\n", file.path.c_str());
  return image != nullptr && cups;
}

bool RegisterAll(const std::vector<BenchFile>& files) {
  for (const BenchFile& file : files) {
    if (!BothLoad(file)) return false;
    benchmark::RegisterBenchmark(OursName(file).c_str(), LoadWithOurs, file.path.u16string(),
                                 file.bytes)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(LibcupsName(file).c_str(), LoadWithLibcups, file.path.string(),
                                 file.bytes)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}

int Run(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const corpus::ScratchDirectory scratch("kx-ppd-bench");
  const BenchFiles files = CollectBenchFiles(scratch.path());
  for (const std::string& note : files.notes) std::fprintf(stderr, "note: %s\n", note.c_str());
  if (!files.error.empty()) {
    std::fprintf(stderr, "error: %s\n", files.error.c_str());
    return 1;
  }
  if (!RegisterAll(files.files)) return 1;
  TimeKeeper times;
  benchmark::RunSpecifiedBenchmarks(&times);
  benchmark::Shutdown();
  PrintRatioSummary(files.files, times);
  return 0;
}

}  // namespace
}  // namespace kx::ppd::bench

int main(int argc, char** argv) { return kx::ppd::bench::Run(argc, argv); }
