#include "watermark_preview.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ghostscript_process.h"
#include "paper_size.h"
#include "preview_page.h"

namespace kx::preview {
namespace {

namespace fs = std::filesystem;

// Sharp enough to read a watermark's letters, small enough to show on a screen.
constexpr int kResolutionDpi = 96;
constexpr char kGhostscript[] = "gs";

// The page program in a file of its own, removed again when it goes.
class PageFile {
 public:
  explicit PageFile(const std::string& postscript) {
    std::string pattern = (fs::temp_directory_path(error_) / "kx48t7-preview-XXXXXX").string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) return;
    close(descriptor);
    path_ = pattern;
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file << postscript;
    if (!file.flush()) path_.clear();
  }
  ~PageFile() {
    if (!path_.empty()) fs::remove(path_, error_);
  }
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::error_code error_;
  std::string path_;
};

// Ghostscript reads % in its output file name as a page number format.
std::string OutputFileName(const std::string& path) {
  std::string escaped;
  for (const char c : path) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

bool Exists(const char* path) {
  std::error_code error;
  return fs::exists(path, error);
}

// The printer's resident procedures and Korean fonts that Ghostscript lacks, where this
// build has them.
std::vector<std::string> GhostscriptArguments(const std::string& pagePath,
                                              const std::string& pngPath) {
  std::vector<std::string> arguments = {kGhostscript, "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER",
                                        "-sDEVICE=png16m",
                                        "-r" + std::to_string(kResolutionDpi),
                                        "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4"};
  if (Exists(KX48T7_PRINTER_FONTS)) arguments.push_back(std::string("-I") + KX48T7_PRINTER_FONTS);
  arguments.push_back("-sOutputFile=" + OutputFileName(pngPath));
  if (Exists(KX48T7_PRINTER_PROLOG)) arguments.push_back(KX48T7_PRINTER_PROLOG);
  arguments.push_back(pagePath);
  return arguments;
}

std::string Trimmed(const std::string& text) {
  const size_t end = text.find_last_not_of(" \r\n\t");
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// Ghostscript's verdict on the run; empty when it drew the page.
std::string GhostscriptFailure(const ProcessRun& run) {
  if (!run.started) {
    if (run.startError == ENOENT) return "Ghostscript (gs) is not installed or not in PATH";
    return std::string("Ghostscript (gs) cannot be started: ") + std::strerror(run.startError);
  }
  const bool reportedError = run.output.find("Error:") != std::string::npos;
  if (run.exitStatus == 0 && !reportedError) return {};
  return "Ghostscript failed (exit status " + std::to_string(run.exitStatus) +
         "): " + Trimmed(run.output);
}

}  // namespace

bool RenderWatermarkPreview(const settings::PrivateRecord& record, const std::string& pngPath,
                            std::string* error) {
  const PreviewPage page = BuildPreviewPage(record, RecordPaper(record));
  if (page.status != PageStatus::kReady) {
    *error = PageStatusMessage(page.status);
    return false;
  }
  // Ghostscript would say so only after the whole run, and in its own words. A file that
  // was there before is left as it is until Ghostscript replaces it.
  std::error_code ignored;
  const bool existed = fs::exists(pngPath, ignored);
  if (!std::ofstream(pngPath, std::ios::binary | std::ios::app)) {
    *error = "cannot write the picture to " + pngPath;
    return false;
  }
  const PageFile pageFile(page.postscript);
  if (pageFile.path().empty()) {
    *error = "cannot write the page program to the temporary folder";
    return false;
  }
  const std::string failure =
      GhostscriptFailure(RunProcess(GhostscriptArguments(pageFile.path(), pngPath)));
  if (!failure.empty() || fs::file_size(pngPath, ignored) == 0) {
    *error = failure.empty() ? "Ghostscript wrote no picture" : failure;
    if (!existed) fs::remove(pngPath, ignored);
    return false;
  }
  return true;
}

}  // namespace kx::preview
