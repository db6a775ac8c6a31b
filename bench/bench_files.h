// The PPD files that the load benchmark times: the product's own sample PPD (when it
// exists), every PPD of Debian's hp-ppd package, a sample of the openprinting-ppds
// makers' PostScript PPDs and a generated file of several megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kx::ppd::bench {

struct BenchFile {
  std::string group;  // "sample", "hp", "openprinting" or "large"
  std::filesystem::path path;
  std::u16string widePath;  // what PpdOpen takes, converted once
  std::uintmax_t bytes = 0;

  std::string label() const { return group + "/" + path.filename().string(); }
};

struct BenchFiles {
  std::vector<BenchFile> files;
  std::vector<std::string> notes;  // what was left out, and why
  std::string error;               // empty on success
};

struct CorpusChoice {
  // Every this-many-th openprinting-ppds PPD of each maker; 1 writes all of them.
  size_t openPrintingStep = 0;
};

// Gathers the files, copying or writing them into `scratch`.
BenchFiles CollectBenchFiles(const std::filesystem::path& scratch, const CorpusChoice& choice);

}  // namespace kx::ppd::bench
