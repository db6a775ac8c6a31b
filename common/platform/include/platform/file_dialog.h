// The open-file dialog (GetOpenFileNameW on Windows). On a system without a desktop nobody
// can answer it: a test, or a host without a user, installs a responder that does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/window.h"

namespace kx::platform {

// One entry of the file-type list: the text shown and its pattern ("*.ps" or "*.eps;*.ps").
struct FileFilter {
  std::u16string display;
  std::u16string pattern;
};

struct OpenFileRequest {
  host::HWND owner = nullptr;
  std::u16string title;
  std::vector<FileFilter> filters;
  host::DWORD filterIndex = 1;           // 1-based, as the system counts
  std::u16string initialDirectory;       // empty: the system's choice
  std::u16string defaultExtension;
  host::DWORD flags = 0;                 // OFN_*
  // Systems before 5 know only the older, shorter structure.
  bool oldStructure = false;
};

// The path the user chose; none when the dialog was cancelled or could not be shown.
std::optional<std::u16string> GetOpenFileName(const OpenFileRequest& request);

// Who answers in place of the user on this thread; null removes it. Without one the
// headless service answers "cancelled"; on Windows the real dialog is shown.
using OpenFileResponder = std::optional<std::u16string> (*)(void* context,
                                                            const OpenFileRequest& request);
void SetOpenFileResponder(OpenFileResponder responder, void* context);

// The system's major version (5 and later know the extended open-file structure and the
// external header file); none when it cannot be read.
std::optional<int> SystemMajorVersion();

}  // namespace kx::platform
