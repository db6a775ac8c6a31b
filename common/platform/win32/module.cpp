#include "platform/module.h"

#include "platform/text.h"
#include "windows_support.h"

namespace kx::platform {

namespace {

bool IsAbsolute(const std::u16string& path) {
  const bool drive = path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/');
  const bool unc = path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\';
  return drive || unc;
}

std::string SystemMessage(DWORD error) {
  wchar_t buffer[512];
  DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, buffer, 512, nullptr);
  while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' ||
                        buffer[length - 1] == L' ')) {
    --length;
  }
  std::string message = "error " + std::to_string(error);
  if (length > 0) {
    message += ": " + Utf16ToUtf8(std::u16string_view(
                          reinterpret_cast<const char16_t*>(buffer), length));
  }
  return message;
}

}  // namespace

ModuleHandle LoadModule(const std::string& path, std::string* error) {
  if (path.empty()) {
    if (error != nullptr) *error = "empty module path";
    ::SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  const std::u16string widePath = Utf8ToUtf16(path);
  // An absolute path lets the module's own folder take part in finding what it needs.
  const DWORD flags = IsAbsolute(widePath) ? LOAD_WITH_ALTERED_SEARCH_PATH : 0;
  HMODULE module = ::LoadLibraryExW(win32::Wide(widePath), nullptr, flags);
  if (module == nullptr && error != nullptr) {
    const DWORD code = ::GetLastError();
    *error = path + ": " + SystemMessage(code);
    ::SetLastError(code);
  }
  return module;
}

void* FindExport(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(ModuleHandle module) {
  if (module != nullptr) ::FreeLibrary(static_cast<HMODULE>(module));
}

}  // namespace kx::platform

namespace kx::platform {

std::u16string SystemDirectory() {
  wchar_t directory[MAX_PATH + 1];
  const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(directory), length);
}

}  // namespace kx::platform
