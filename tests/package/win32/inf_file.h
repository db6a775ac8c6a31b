// An INF file as the system's INF parser (SetupAPI) reads it: sections, lines and fields
// with the strings substituted, and where the INF says each of its files comes from.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <setupapi.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx::package {

class InfFile {
 public:
  explicit InfFile(const std::filesystem::path& path);
  ~InfFile();
  InfFile(const InfFile&) = delete;
  InfFile& operator=(const InfFile&) = delete;

  bool valid() const { return inf_ != INVALID_HANDLE_VALUE; }
  UINT errorLine() const { return errorLine_; }

  // The fields of the first line with `key` in `section` (empty when there is none).
  std::vector<std::wstring> Fields(const std::wstring& section, const std::wstring& key) const;
  // The first field of that line (empty when there is none).
  std::wstring Value(const std::wstring& section, const std::wstring& key) const;
  // Every line of a section: its key (or its only field) first, then its fields.
  std::vector<std::vector<std::wstring>> Lines(const std::wstring& section) const;
  bool HasSection(const std::wstring& section) const;

  // Where the file comes from, relative to the INF's folder: the source disk's path, the
  // file's own subfolder and its name, as SetupAPI looks them up in SourceDisksFiles and
  // SourceDisksNames; nothing when the INF does not name a source for the file.
  std::optional<std::filesystem::path> SourceOf(const std::wstring& file) const;

 private:
  HINF inf_ = INVALID_HANDLE_VALUE;
  UINT errorLine_ = 0;
};

}  // namespace kx::package
