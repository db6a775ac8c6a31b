#include "bench/ratio_summary.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace kx::ppd::bench {
namespace {

void PrintRow(const FileTiming& row) {
  std::printf("%-56s %9ju %6d %11.1f %11.1f %7.3f%s\n", row.file->label().c_str(),
              row.file->bytes, row.timing.loadsPerRound, row.timing.ours * 1e6,
              row.timing.libcups * 1e6, row.ratio(),
              row.ratio() > kTargetRatio ? "  above target" : "");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t half = values.size() / 2;
  return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
}

bool LowerRatio(const FileTiming* a, const FileTiming* b) { return a->ratio() < b->ratio(); }

void PrintGroups(const std::vector<FileTiming>& rows) {
  std::map<std::string, std::vector<const FileTiming*>> groups;
  for (const FileTiming& row : rows) groups[row.file->group].push_back(&row);
  for (const auto& [group, members] : groups) {
    std::vector<double> ratios;
    for (const FileTiming* row : members) ratios.push_back(row->ratio());
    const FileTiming* worst = *std::max_element(members.begin(), members.end(), LowerRatio);
    std::printf("%-12s %4zu file(s): median %.3f, worst %.3f (%s)\n", group.c_str(),
                members.size(), Median(ratios), worst->ratio(),
                worst->file->path.filename().c_str());
  }
}

}  // namespace

int PrintRatioSummary(const std::vector<FileTiming>& rows) {
  std::printf("\nPpdOpen+PpdClose over ppdOpenFile+ppdClose (target: at most %.2f, goal %.2f)\n",
              kTargetRatio, kGoalRatio);
  std::printf("%-56s %9s %6s %11s %11s %7s\n", "file", "bytes", "loads", "ours us",
              "libcups us", "ratio");
  int above = 0;
  for (const FileTiming& row : rows) {
    PrintRow(row);
    above += row.ratio() > kTargetRatio;
  }
  if (rows.empty()) {
    std::printf("(no file timed)\n");
    return 0;
  }
  PrintGroups(rows);
  const FileTiming& worst = *std::max_element(
      rows.begin(), rows.end(), [](const FileTiming& a, const FileTiming& b) {
        return a.ratio() < b.ratio();
      });
  std::printf("Worst file: %s at %.3f\n", worst.file->label().c_str(), worst.ratio());
  std::printf("Target met on %zu of %zu file(s).\n", rows.size() - static_cast<size_t>(above),
              rows.size());
  return above;
}

}  // namespace kx::ppd::bench
