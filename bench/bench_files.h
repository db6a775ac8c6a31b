// The PPD files that the load benchmark times: the product's own sample PPD (when it
// exists), every PPD of Debian's hp-ppd package and a generated file of over a megabyte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kx::ppd::bench {

struct BenchFile {
  std::string group;  // "sample", "hp" or "large"
  std::filesystem::path path;
  std::uintmax_t bytes = 0;

  std::string label() const { return group + "/" + path.filename().string(); }
};

struct BenchFiles {
  std::vector<BenchFile> files;
  std::vector<std::string> notes;  // what was left out, and why
  std::string error;               // empty on success
};

// Gathers the files, copying or writing them into `scratch`.
BenchFiles CollectBenchFiles(const std::filesystem::path& scratch);

}  // namespace kx::ppd::bench
