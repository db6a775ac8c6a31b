// The open-file dialog over comdlg32, answered by the thread's responder when a test or a
// host without a user has installed one.
#include "platform/file_dialog.h"  // before windows_support.h: see there

#include <array>

#include "windows_support.h"

#include <commdlg.h>
// commdlg.h names the ANSI or wide call by a macro that would rename this layer's own.
#undef GetOpenFileName

namespace kx::platform {
namespace {

struct Responder {
  OpenFileResponder function = nullptr;
  void* context = nullptr;
};
thread_local Responder responder;

// The filter list as the system takes it: display and pattern pairs, each NUL-terminated,
// and one NUL more at the end.
std::u16string FilterList(const std::vector<FileFilter>& filters) {
  std::u16string list;
  for (const FileFilter& filter : filters) {
    list += filter.display;
    list += u'\0';
    list += filter.pattern;
    list += u'\0';
  }
  list += u'\0';
  return list;
}

const wchar_t* WideOrNull(const std::u16string& text) {
  return text.empty() ? nullptr : win32::Wide(text);
}

}  // namespace

std::optional<std::u16string> GetOpenFileName(const OpenFileRequest& request) {
  if (responder.function != nullptr) return responder.function(responder.context, request);
  std::array<wchar_t, MAX_PATH> path{};
  const std::u16string filters = FilterList(request.filters);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = request.oldStructure ? OPENFILENAME_SIZE_VERSION_400W : sizeof(dialog);
  dialog.hwndOwner = reinterpret_cast<::HWND>(request.owner);
  dialog.lpstrFilter = win32::Wide(filters);
  dialog.nFilterIndex = request.filterIndex;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = WideOrNull(request.initialDirectory);
  dialog.lpstrTitle = WideOrNull(request.title);
  dialog.lpstrDefExt = WideOrNull(request.defaultExtension);
  dialog.Flags = request.flags;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  return std::u16string(reinterpret_cast<const char16_t*>(path.data()));
}

void SetOpenFileResponder(OpenFileResponder function, void* context) {
  responder = {function, function != nullptr ? context : nullptr};
}

std::optional<int> SystemMajorVersion() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!::GetVersionExW(&version)) return std::nullopt;
  return static_cast<int>(version.dwMajorVersion);
}

}  // namespace kx::platform
