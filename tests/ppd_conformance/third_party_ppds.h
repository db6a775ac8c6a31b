// Third-party PPD files for the conformance test and the load benchmark: the files that a
// Debian package installed, copied into a scratch directory as plain text (gunzipped where
// the package compressed them), so that our loader and libcups read the very same bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ppd::corpus {

// Debian's package of printer PPD files from another vendor, used as real-world input.
inline constexpr std::string_view kHpPpdPackage = "hp-ppd";

// A fresh directory under the system's temporary directory, removed with its contents
// when the object goes.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(std::string_view prefix);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct FileList {
  std::vector<std::filesystem::path> files;
  std::string error;  // empty on success
};

// The regular files that the installed Debian package `package` owns, as dpkg lists them.
// A package that is not installed is an error, never an empty list.
FileList PackageFiles(std::string_view package);

// Whether `file` is named like a PPD: *.ppd or *.ppd.gz, in any case.
bool IsPpdName(const std::filesystem::path& file);

// Writes a plain copy of every PPD among `files` into `directory` (gunzipping compressed
// ones) and returns the copies sorted by name. Two sources with the same name are an
// error rather than one silently replacing the other.
FileList UnpackPpds(const std::vector<std::filesystem::path>& files,
                    const std::filesystem::path& directory);

// PackageFiles and UnpackPpds for kHpPpdPackage; an error when it holds no PPD at all.
FileList UnpackHpPpds(const std::filesystem::path& directory);

}  // namespace kx::ppd::corpus
