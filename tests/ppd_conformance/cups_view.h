// What libcups makes of a PPD file, copied out of its ppd_file_t into plain values so
// that the comparison needs no libcups types.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx::ppd::conformance {

struct CupsChoice {
  std::string keyword;
  std::string text;  // UTF-8; libcups puts a fallback here when the file gives none
  std::string code;  // hex-decoded by libcups for options of its JCL section
};

struct CupsOption {
  std::string keyword;
  std::string text;
  std::string defaultChoice;
  std::string group;  // name of the libcups group it was filed in
  int ui = 0;         // ppd_ui_t: Boolean 0, PickOne 1, PickMany 2
  bool jclSection = false;  // libcups hex-decodes the choices of its JCL section
  std::vector<CupsChoice> choices;  // file order, without libcups's own "Custom" choice
  int customChoicesDropped = 0;
};

struct CupsFile {
  std::vector<CupsOption> options;     // group by group, each group in file order
  std::vector<std::string> sizeNames;  // every size named by a page size entry
};

// libcups's reading of `file`, or nothing when ppdOpenFile refuses it.
std::optional<CupsFile> ReadWithCups(const std::filesystem::path& file);

}  // namespace kx::ppd::conformance
