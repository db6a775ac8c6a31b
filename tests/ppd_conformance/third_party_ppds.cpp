#include "ppd_conformance/third_party_ppds.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

namespace kx::ppd::corpus {
namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory(std::string_view prefix) {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    fs::path candidate = base / (std::string(prefix) + "-" + std::to_string(random()));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = std::move(candidate);
      return;
    }
  }
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code error;
  fs::remove_all(path_, error);
}

namespace {

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The name the plain copy gets: the source's name without a trailing .gz.
fs::path PlainName(const fs::path& source) {
  std::string name = source.filename().string();
  if (EndsWith(Lowercase(name), ".gz")) name.resize(name.size() - 3);
  return name;
}

// zlib passes files that are not gzip streams through unchanged, so one reader serves
// compressed and plain sources alike.
bool CopyDecompressed(const fs::path& source, const fs::path& target, std::string& error) {
  gzFile in = gzopen(source.c_str(), "rb");
  if (in == nullptr) {
    error = "cannot open " + source.string();
    return false;
  }
  std::ofstream out(target, std::ios::binary);
  char buffer[65536];
  int count = 0;
  while ((count = gzread(in, buffer, sizeof buffer)) > 0) out.write(buffer, count);
  const bool readFailed = count < 0;
  gzclose(in);
  if (readFailed || !out) {
    error = "cannot decompress " + source.string() + " into " + target.string();
    return false;
  }
  return true;
}

}  // namespace

bool IsPpdName(const fs::path& file) {
  const std::string name = Lowercase(file.filename().string());
  return EndsWith(name, ".ppd") || EndsWith(name, ".ppd.gz");
}

FileList PackageFiles(std::string_view package) {
  FileList result;
  const std::string command = "dpkg-query -L " + std::string(package) + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    result.error = "cannot run: " + command;
    return result;
  }
  std::string line;
  for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    std::error_code error;
    if (fs::is_regular_file(line, error)) result.files.emplace_back(line);
    line.clear();
  }
  if (pclose(pipe) != 0) {
    result.files.clear();
    result.error = "the Debian package " + std::string(package) +
                   " is not installed (dpkg-query -L failed); install it with apt-get";
  }
  return result;
}

FileList UnpackPpds(const std::vector<fs::path>& files, const fs::path& directory) {
  FileList result;
  for (const fs::path& source : files) {
    if (!IsPpdName(source)) continue;
    const fs::path target = directory / PlainName(source);
    if (fs::exists(target)) {
      return {{}, "two PPD files would both be copied to " + target.string()};
    }
    std::string error;
    if (!CopyDecompressed(source, target, error)) return {{}, error};
    result.files.push_back(target);
  }
  std::sort(result.files.begin(), result.files.end());
  return result;
}

FileList UnpackHpPpds(const fs::path& directory) {
  FileList installed = PackageFiles(kHpPpdPackage);
  if (!installed.error.empty()) return installed;
  FileList unpacked = UnpackPpds(installed.files, directory);
  if (unpacked.error.empty() && unpacked.files.empty()) {
    unpacked.error = "the package " + std::string(kHpPpdPackage) + " installed no PPD file";
  }
  return unpacked;
}

}  // namespace kx::ppd::corpus
