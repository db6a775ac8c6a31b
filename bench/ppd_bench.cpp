// Times loading a PPD file with our library (PpdOpen + PpdClose) against libcups
// (ppdOpenFile + ppdClose) on the same files, in one process, the two loaders taking
// turns round by round, then prints our best time over libcups's best for each file.
//
// Flags: --rounds=N (15), --round-us=N (2000), --filter=TEXT (files whose label contains
// TEXT), --openprinting-step=N (every Nth openprinting-ppds PPD of each maker; 1 for all).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench/alternating_timer.h"
#include "bench/bench_files.h"
#include "bench/cups_loader.h"
#include "bench/ratio_summary.h"
#include "ppd/ppd.h"
#include "ppd_conformance/third_party_ppds.h"

namespace kx::ppd::bench {
namespace {

struct Options {
  TimerSettings timer;
  CorpusChoice corpus{corpus::kOpenPrintingSampleStep};
  std::string filter;
};

bool LoadWithOurs(const BenchFile& file) {
  const PpdImage* image = PpdOpen(file.widePath.c_str());
  PpdClose(image);
  return image != nullptr;
}

bool LoadWithLibcups(const BenchFile& file) { return CupsOpenAndClose(file.path.c_str()); }

// A file that either loader refuses would time a failure path, not a load.
bool BothLoad(const BenchFile& file) {
  const bool ours = LoadWithOurs(file);
  const bool cups = LoadWithLibcups(file);
  if (!ours) std::fprintf(stderr, "error: PpdOpen refuses %s\n", file.path.c_str());
  if (!cups) std::fprintf(stderr, "error: ppdOpenFile refuses %s\n", file.path.c_str());
  return ours && cups;
}

bool ParseCount(std::string_view text, long* value) {
  char* end = nullptr;
  const std::string copy(text);
  *value = std::strtol(copy.c_str(), &end, 10);
  return !copy.empty() && *end == '\0' && *value > 0;
}

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument(argv[i]);
    const size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view() : argument.substr(equals + 1);
    long number = 0;
    if (name == "--filter") {
      options.filter = value;
    } else if (name == "--rounds" && ParseCount(value, &number)) {
      options.timer.rounds = static_cast<int>(number);
    } else if (name == "--round-us" && ParseCount(value, &number)) {
      options.timer.roundLength = std::chrono::microseconds(number);
    } else if (name == "--openprinting-step" && ParseCount(value, &number)) {
      options.corpus.openPrintingStep = static_cast<size_t>(number);
    } else {
      std::fprintf(stderr, "unknown or malformed argument: %s\n", argv[i]);
      return false;
    }
  }
  return true;
}

int Run(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) return 2;
  // libcups looks its fallback texts up in the locale's message catalogue.
  setenv("LANG", "C", 1);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  const corpus::ScratchDirectory scratch("kx-ppd-bench");
  const BenchFiles files = CollectBenchFiles(scratch.path(), options.corpus);
  for (const std::string& note : files.notes) std::fprintf(stderr, "note: %s\n", note.c_str());
  if (!files.error.empty()) {
    std::fprintf(stderr, "error: %s\n", files.error.c_str());
    return 1;
  }
  std::vector<FileTiming> rows;
  for (const BenchFile& file : files.files) {
    if (file.label().find(options.filter) == std::string::npos) continue;
    if (!BothLoad(file)) return 1;
    rows.push_back({&file, TimeAlternating(LoadWithOurs, LoadWithLibcups, file, options.timer)});
  }
  PrintRatioSummary(rows);
  return 0;
}

}  // namespace
}  // namespace kx::ppd::bench

int main(int argc, char** argv) { return kx::ppd::bench::Run(argc, argv); }
