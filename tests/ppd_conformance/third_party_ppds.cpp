#include "ppd_conformance/third_party_ppds.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <set>
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

// Everything `command` writes to its standard output; false when it cannot run or fails.
bool ReadCommandOutput(const std::string& command, std::string& output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  char buffer[65536];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
  return pclose(pipe) == 0;
}

// The next field of a driver's list line: a quoted string (without its quotes) or a word.
std::string_view NextField(std::string_view& line) {
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  if (line.empty()) return {};
  const bool quoted = line.front() == '"';
  if (quoted) line.remove_prefix(1);
  size_t end = line.find(quoted ? '"' : ' ');
  if (end == std::string_view::npos) end = line.size();
  const std::string_view field = line.substr(0, end);
  line.remove_prefix(std::min(line.size(), end + 1));
  return field;
}

// "driver:0/ppd/package/Maker/file.ppd": the path after the model number, or empty.
std::string_view PathOfUri(std::string_view uri) {
  const size_t colon = uri.find(':');
  if (colon == std::string_view::npos) return {};
  const size_t slash = uri.find('/', colon);
  return slash == std::string_view::npos ? std::string_view{} : uri.substr(slash + 1);
}

// The maker folder and file name of "ppd/package/Maker/.../file.ppd".
bool SplitPpdPath(std::string_view path, std::string_view& maker, std::string_view& name) {
  constexpr size_t kMakerComponent = 2;
  size_t start = 0;
  for (size_t i = 0; i < kMakerComponent; ++i) {
    start = path.find('/', start);
    if (start == std::string_view::npos) return false;
    ++start;
  }
  const size_t makerEnd = path.find('/', start);
  if (makerEnd == std::string_view::npos) return false;
  maker = path.substr(start, makerEnd - start);
  name = path.substr(path.rfind('/') + 1);
  return !maker.empty() && !name.empty();
}

struct Run {
  pid_t pid = 0;
  const DriverPpd* ppd = nullptr;
};

// Starts `driver cat <uri>` with its standard output going to `target`.
bool StartCat(const fs::path& driver, const DriverPpd& ppd, const fs::path& target, Run& run) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, target.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string program = driver.string();
  std::string verb = "cat";
  std::string uri = ppd.uri;
  char* const argv[] = {program.data(), verb.data(), uri.data(), nullptr};
  const int failed = posix_spawn(&run.pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  run.ppd = &ppd;
  return failed == 0;
}

bool Succeeded(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Each run of the driver unpacks its archive, mostly in one process; two at a time keep
// both cores busy.
constexpr size_t kRunsAtOnce = 2;

}  // namespace

std::vector<DriverPpd> ParseDriverList(std::string_view listing,
                                       const std::vector<std::string_view>& makers) {
  std::map<std::string_view, DriverPpd> byPath;  // sorted; the first URI of a path stays
  while (!listing.empty()) {
    const size_t end = std::min(listing.find('\n'), listing.size());
    std::string_view line = listing.substr(0, end);
    listing.remove_prefix(std::min(listing.size(), end + 1));
    const std::string_view uri = NextField(line);
    const std::string_view path = PathOfUri(uri);
    std::string_view maker;
    std::string_view name;
    if (!SplitPpdPath(path, maker, name)) continue;
    if (std::find(makers.begin(), makers.end(), maker) == makers.end()) continue;
    byPath.try_emplace(path, DriverPpd{std::string(uri), std::string(maker), std::string(name)});
  }
  std::vector<DriverPpd> ppds;
  for (auto& [path, ppd] : byPath) ppds.push_back(std::move(ppd));
  std::stable_sort(ppds.begin(), ppds.end(), [](const DriverPpd& a, const DriverPpd& b) {
    return a.maker != b.maker ? a.maker < b.maker : a.name < b.name;
  });
  return ppds;
}

std::vector<DriverPpd> EveryNthOfEachMaker(const std::vector<DriverPpd>& ppds, size_t step) {
  std::vector<DriverPpd> sample;
  std::map<std::string_view, size_t> seen;  // maker -> PPDs of it so far
  for (const DriverPpd& ppd : ppds) {
    if (seen[ppd.maker]++ % std::max<size_t>(step, 1) == 0) sample.push_back(ppd);
  }
  return sample;
}

FileList WriteDriverPpds(const fs::path& driver, const std::vector<DriverPpd>& ppds,
                         const fs::path& directory) {
  FileList result;
  std::vector<Run> running;
  auto finishOldest = [&]() {
    const Run run = running.front();
    running.erase(running.begin());
    const fs::path target = directory / run.ppd->name;
    std::error_code error;
    const bool written = Succeeded(run.pid) && fs::file_size(target, error) > 0 && !error;
    if (!written && result.error.empty()) {
      result.error = driver.string() + " cat " + run.ppd->uri + " failed";
    }
    result.files.push_back(target);
  };
  std::set<std::string_view> names;  // the copies being written may not exist yet
  for (const DriverPpd& ppd : ppds) {
    const fs::path target = directory / ppd.name;
    if (!names.insert(ppd.name).second || fs::exists(target)) {
      result.error = "two PPD files would both be written to " + target.string();
      break;
    }
    if (running.size() == kRunsAtOnce) finishOldest();
    Run run;
    if (!StartCat(driver, ppd, target, run)) {
      result.error = "cannot run " + driver.string();
      break;
    }
    running.push_back(run);
  }
  while (!running.empty()) finishOldest();
  if (!result.error.empty()) return {{}, result.error};
  std::sort(result.files.begin(), result.files.end());
  return result;
}

FileList WriteOpenPrintingPpds(const fs::path& directory, size_t step) {
  FileList installed = PackageFiles(kOpenPrintingPackage);
  if (!installed.error.empty()) return installed;
  const fs::path driver(kOpenPrintingDriver);
  std::string listing;
  if (!ReadCommandOutput(driver.string() + " list", listing)) {
    return {{}, "cannot list the PPDs of " + driver.string()};
  }
  const std::vector<std::string_view> makers(std::begin(kOpenPrintingMakers),
                                              std::end(kOpenPrintingMakers));
  const std::vector<DriverPpd> ppds = ParseDriverList(listing, makers);
  if (ppds.empty()) {
    return {{}, driver.string() + " lists no PPD of the makers the test reads"};
  }
  return WriteDriverPpds(driver, EveryNthOfEachMaker(ppds, step), directory);
}

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
