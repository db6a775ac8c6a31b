#include "bench/bench_files.h"

#include <system_error>

#include "bench/large_ppd.h"
#include "ppd_conformance/third_party_ppds.h"

namespace kx::ppd::bench {
namespace fs = std::filesystem;
namespace {

// 2.5 MB and then some: the size of the largest PPDs printers come with.
constexpr std::uintmax_t kLargeFileBytes = 2621440;

std::uintmax_t SizeOf(const fs::path& file) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  return error ? 0 : size;
}

void Add(BenchFiles& result, const char* group, const fs::path& file) {
  result.files.push_back({group, file, file.u16string(), SizeOf(file)});
}

void AddSample(BenchFiles& result) {
  const fs::path sample = fs::path(KX_SOURCE_DIR) / "data" / "VRX48T7-PSN.ppd";
  if (!fs::is_regular_file(sample)) {
    result.notes.push_back("no sample PPD at " + sample.string() + "; left out");
    return;
  }
  Add(result, "sample", sample);
}

void AddCorpus(BenchFiles& result, const char* group, const corpus::FileList& list) {
  if (!list.error.empty()) {
    result.error = list.error;
    return;
  }
  for (const fs::path& file : list.files) Add(result, group, file);
}

fs::path Subdirectory(const fs::path& scratch, const char* name) {
  const fs::path directory = scratch / name;
  fs::create_directory(directory);
  return directory;
}

void AddLargePpd(const fs::path& scratch, BenchFiles& result) {
  const fs::path large = scratch / "large-synthetic.ppd";
  const std::uintmax_t bytes = WriteLargePpd(large, kLargeFileBytes);
  if (bytes < kLargeFileBytes) {
    result.error = "could not write the generated PPD " + large.string();
    return;
  }
  Add(result, "large", large);
}

}  // namespace

BenchFiles CollectBenchFiles(const fs::path& scratch, const CorpusChoice& choice) {
  BenchFiles result;
  AddSample(result);
  AddCorpus(result, "hp", corpus::UnpackHpPpds(Subdirectory(scratch, "hp")));
  if (result.error.empty()) {
    AddCorpus(result, "openprinting",
              corpus::WriteOpenPrintingPpds(Subdirectory(scratch, "openprinting"),
                                            choice.openPrintingStep));
  }
  if (result.error.empty()) AddLargePpd(scratch, result);
  return result;
}

}  // namespace kx::ppd::bench
