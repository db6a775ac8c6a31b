#include "bench/bench_files.h"

#include <system_error>

#include "bench/large_ppd.h"
#include "ppd_conformance/third_party_ppds.h"

namespace kx::ppd::bench {
namespace fs = std::filesystem;
namespace {

constexpr std::uintmax_t kLargeFileBytes = 1024 * 1024;

std::uintmax_t SizeOf(const fs::path& file) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  return error ? 0 : size;
}

void AddSample(BenchFiles& result) {
  const fs::path sample = fs::path(KX_SOURCE_DIR) / "data" / "VRX48T7-PSN.ppd";
  if (!fs::is_regular_file(sample)) {
    result.notes.push_back("no sample PPD at " + sample.string() + "; left out");
    return;
  }
  result.files.push_back({"sample", sample, SizeOf(sample)});
}

void AddHpPpds(const fs::path& scratch, BenchFiles& result) {
  const fs::path directory = scratch / "hp";
  fs::create_directory(directory);
  const corpus::FileList hp = corpus::UnpackHpPpds(directory);
  if (!hp.error.empty()) {
    result.error = hp.error;
    return;
  }
  for (const fs::path& file : hp.files) result.files.push_back({"hp", file, SizeOf(file)});
}

void AddLargePpd(const fs::path& scratch, BenchFiles& result) {
  const fs::path large = scratch / "large-synthetic.ppd";
  const std::uintmax_t bytes = WriteLargePpd(large, kLargeFileBytes);
  if (bytes < kLargeFileBytes) {
    result.error = "could not write the generated PPD " + large.string();
    return;
  }
  result.files.push_back({"large", large, bytes});
}

}  // namespace

BenchFiles CollectBenchFiles(const fs::path& scratch) {
  BenchFiles result;
  AddSample(result);
  AddHpPpds(scratch, result);
  if (result.error.empty()) AddLargePpd(scratch, result);
  return result;
}

}  // namespace kx::ppd::bench
