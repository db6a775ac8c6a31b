// Third-party PPD files for the conformance test and the load benchmark: the files that a
// Debian package installed, copied into a scratch directory as plain text (gunzipped where
// the package compressed them, or written by the package's driver program where it keeps
// them in an archive), so that our loader and libcups read the very same bytes.
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

// Debian's package of many makers' PPD files. It keeps them in one compressed archive
// inside a CUPS driver program, which names them with `list` and writes one to its
// standard output with `cat <uri>`.
inline constexpr std::string_view kOpenPrintingPackage = "openprinting-ppds";
inline constexpr std::string_view kOpenPrintingDriver = "/usr/lib/cups/driver/openprinting-ppds";

// The makers whose PostScript PPDs are read, as the folders of the driver's URIs name them.
inline constexpr std::string_view kOpenPrintingMakers[] = {
    "Brother", "Canon", "HP", "Lexmark", "Oki", "Samsung", "Sharp", "Toshiba"};

// The fixed sample of the conformance test and the load benchmark: every 20th PPD of each
// maker, 37 files. The driver unpacks its whole archive for each file it writes (about a
// second of processor time), so all 649 would take some twelve minutes.
inline constexpr size_t kOpenPrintingSampleStep = 20;

// One PPD file that a driver program can write.
struct DriverPpd {
  std::string uri;    // what `cat` takes
  std::string maker;  // the URI's folder after ppd/<package>/
  std::string name;   // the file name, which the copy keeps
};

// The PPDs of `makers` that a driver's `list` output names, sorted by maker and name.
// URIs that differ only in the model number before the path name one file (the driver
// writes the same PPD for each), which is listed once.
std::vector<DriverPpd> ParseDriverList(std::string_view listing,
                                       const std::vector<std::string_view>& makers);

// Every `step`th PPD of each maker in list order, from each maker's first: a fixed sample
// in which every maker has a file.
std::vector<DriverPpd> EveryNthOfEachMaker(const std::vector<DriverPpd>& ppds, size_t step);

// Runs `driver cat <uri>` for each of `ppds`, writing its output to `directory`/name, and
// returns the copies sorted by name. A failing run, an empty copy or two PPDs of one
// name are errors.
FileList WriteDriverPpds(const std::filesystem::path& driver, const std::vector<DriverPpd>& ppds,
                         const std::filesystem::path& directory);

// The driver of kOpenPrintingPackage lists its PPDs; every `step`th of each maker of
// kOpenPrintingMakers is written into `directory`. An error when the package is missing
// or lists none of those makers.
FileList WriteOpenPrintingPpds(const std::filesystem::path& directory, size_t step);

}  // namespace kx::ppd::corpus
