#include "bench/ratio_summary.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace kx::ppd::bench {
namespace {

struct Row {
  const BenchFile* file;
  double ours;     // seconds per load
  double libcups;  // seconds per load
  double ratio() const { return ours / libcups; }
};

std::vector<Row> RowsThatRan(const std::vector<BenchFile>& files, const TimeKeeper& times) {
  std::vector<Row> rows;
  for (const BenchFile& file : files) {
    const Row row{&file, times.SecondsPerIteration(OursName(file)),
                  times.SecondsPerIteration(LibcupsName(file))};
    if (row.ours > 0 && row.libcups > 0) rows.push_back(row);
  }
  return rows;
}

void PrintRow(const Row& row) {
  std::printf("%-48s %9ju %11.1f %11.1f %7.3f%s\n", row.file->label().c_str(),
              row.file->bytes, row.ours * 1e6, row.libcups * 1e6, row.ratio(),
              row.ratio() > kTargetRatio ? "  above target" : "");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t half = values.size() / 2;
  return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
}

void PrintGroups(const std::vector<Row>& rows) {
  std::map<std::string, std::vector<double>> ratios;
  for (const Row& row : rows) ratios[row.file->group].push_back(row.ratio());
  for (const auto& [group, values] : ratios) {
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    std::printf("%-8s %3zu file(s): ratio min %.3f, median %.3f, max %.3f\n", group.c_str(),
                values.size(), *least, Median(values), *most);
  }
}

}  // namespace

std::string OursName(const BenchFile& file) { return "ours/" + file.label(); }
std::string LibcupsName(const BenchFile& file) { return "libcups/" + file.label(); }

int PrintRatioSummary(const std::vector<BenchFile>& files, const TimeKeeper& times) {
  const std::vector<Row> rows = RowsThatRan(files, times);
  std::printf("\nPpdOpen+PpdClose over ppdOpenFile+ppdClose (target: at most %.2f)\n",
              kTargetRatio);
  std::printf("%-48s %9s %11s %11s %7s\n", "file", "bytes", "ours us", "libcups us", "ratio");
  int above = 0;
  for (const Row& row : rows) {
    PrintRow(row);
    above += row.ratio() > kTargetRatio;
  }
  if (rows.empty()) {
    std::printf("(no file ran on both sides)\n");
    return 0;
  }
  PrintGroups(rows);
  std::printf("Target met on %zu of %zu file(s).\n", rows.size() - static_cast<size_t>(above),
              rows.size());
  return above;
}

}  // namespace kx::ppd::bench
