#include "platform/files.h"

#include <algorithm>

#include "platform/win32_errors.h"
#include "windows_support.h"

namespace kx::platform {

namespace {

constexpr DWORD kLargestTransfer = 1u << 30;

// A name no file can have.
bool IsImpossiblePath(const std::u16string& path) {
  if (path.find(u'\0') == std::u16string::npos) return false;
  ::SetLastError(ERROR_INVALID_NAME);
  return true;
}

}  // namespace

bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>* contents) {
  if (contents == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (IsImpossiblePath(path)) return false;
  win32::UniqueHandle file(::CreateFileW(win32::Wide(path), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return false;
  std::vector<uint8_t> data;
  data.reserve(static_cast<size_t>(size.QuadPart));
  uint8_t chunk[65536];
  for (;;) {
    DWORD count = 0;
    if (!::ReadFile(file.get(), chunk, sizeof chunk, &count, nullptr)) return false;
    if (count == 0) break;
    data.insert(data.end(), chunk, chunk + count);
  }
  *contents = std::move(data);
  return true;
}

bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& contents) {
  if (IsImpossiblePath(path)) return false;
  win32::UniqueHandle file(::CreateFileW(win32::Wide(path), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  size_t written = 0;
  while (written < contents.size()) {
    const DWORD request =
        static_cast<DWORD>(std::min<size_t>(contents.size() - written, kLargestTransfer));
    DWORD count = 0;
    if (!::WriteFile(file.get(), contents.data() + written, request, &count, nullptr)) {
      return false;
    }
    written += count;
  }
  return file.close();
}

}  // namespace kx::platform
