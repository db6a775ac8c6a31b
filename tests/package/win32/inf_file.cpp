#include "inf_file.h"

namespace kx::package {
namespace {

constexpr DWORD kFieldCapacity = 512;

std::wstring Field(INFCONTEXT& line, DWORD index) {
  wchar_t text[kFieldCapacity] = {};
  DWORD size = 0;
  if (!::SetupGetStringFieldW(&line, index, text, kFieldCapacity, &size)) return L"";
  return text;
}

std::vector<std::wstring> LineFields(INFCONTEXT& line) {
  std::vector<std::wstring> fields;
  const DWORD count = ::SetupGetFieldCount(&line);
  for (DWORD i = 1; i <= count; ++i) fields.push_back(Field(line, i));
  return fields;
}

}  // namespace

InfFile::InfFile(const std::filesystem::path& path) {
  inf_ = ::SetupOpenInfFileW(path.c_str(), nullptr, INF_STYLE_WIN4, &errorLine_);
}

InfFile::~InfFile() {
  if (valid()) ::SetupCloseInfFile(inf_);
}

std::vector<std::wstring> InfFile::Fields(const std::wstring& section,
                                          const std::wstring& key) const {
  INFCONTEXT line;
  if (!::SetupFindFirstLineW(inf_, section.c_str(), key.c_str(), &line)) return {};
  return LineFields(line);
}

std::wstring InfFile::Value(const std::wstring& section, const std::wstring& key) const {
  const auto fields = Fields(section, key);
  return fields.empty() ? L"" : fields[0];
}

std::vector<std::vector<std::wstring>> InfFile::Lines(const std::wstring& section) const {
  std::vector<std::vector<std::wstring>> lines;
  INFCONTEXT line;
  if (!::SetupFindFirstLineW(inf_, section.c_str(), nullptr, &line)) return lines;
  do {
    std::vector<std::wstring> fields{Field(line, 0)};
    for (const std::wstring& field : LineFields(line)) fields.push_back(field);
    lines.push_back(fields);
  } while (::SetupFindNextLine(&line, &line));
  return lines;
}

bool InfFile::HasSection(const std::wstring& section) const {
  INFCONTEXT line;
  return ::SetupFindFirstLineW(inf_, section.c_str(), nullptr, &line) != FALSE;
}

std::optional<std::filesystem::path> InfFile::SourceOf(const std::wstring& file) const {
  UINT disk = 0;
  wchar_t ignored[MAX_PATH] = {};
  DWORD size = 0;
  if (!::SetupGetSourceFileLocationW(inf_, nullptr, file.c_str(), &disk, ignored, MAX_PATH,
                                     &size)) {
    return std::nullopt;
  }
  wchar_t diskPath[MAX_PATH] = {};
  if (!::SetupGetSourceInfoW(inf_, disk, SRCINFO_PATH, diskPath, MAX_PATH, &size)) {
    return std::nullopt;
  }
  // The file's own subfolder is the second field of its SourceDisksFiles line (the
  // architecture's section first). Windows answers it from SetupGetSourceFileLocationW
  // too, but Wine 8 answers the disk's path there instead, so it is read from the line.
  std::wstring subfolder;
  for (const wchar_t* section : {L"SourceDisksFiles.amd64", L"SourceDisksFiles"}) {
    const auto fields = Fields(section, file);
    if (fields.empty()) continue;
    if (fields.size() > 1) subfolder = fields[1];
    break;
  }
  return std::filesystem::path(diskPath) / subfolder / file;
}

}  // namespace kx::package
