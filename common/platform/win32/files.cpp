#include "platform/files.h"

#include <algorithm>
#include <limits>

#include "platform/win32_errors.h"
#include "windows_support.h"

namespace kx::platform {

namespace {

constexpr DWORD kLargestTransfer = 1u << 30;

// The file opened for reading, shared with other readers and writers as POSIX files are.
HANDLE OpenToRead(const std::u16string& path) {
  return ::CreateFileW(win32::Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The same for a file on a disk only: a pipe, a console or a serial device opens too, but
// is not a file to read (refused with "access denied", as a folder is without
// FILE_FLAG_BACKUP_SEMANTICS).
HANDLE OpenDiskFile(const std::u16string& path) {
  HANDLE handle = OpenToRead(path);
  if (handle == INVALID_HANDLE_VALUE || ::GetFileType(handle) == FILE_TYPE_DISK) return handle;
  ::CloseHandle(handle);
  ::SetLastError(ERROR_ACCESS_DENIED);
  return INVALID_HANDLE_VALUE;
}

// Appends what is left of the file to `data`; fails with ERROR_FILE_TOO_LARGE when that
// would take `data` past `limit` bytes.
template <typename Bytes>
bool ReadToEnd(HANDLE file, uint64_t limit, Bytes* data) {
  uint8_t chunk[65536];
  for (;;) {
    DWORD count = 0;
    if (!::ReadFile(file, chunk, sizeof chunk, &count, nullptr)) return false;
    if (count == 0) return true;
    if (count > limit - data->size()) {
      ::SetLastError(ERROR_FILE_TOO_LARGE);
      return false;
    }
    data->insert(data->end(), chunk, chunk + count);
  }
}
static_assert(kErrorFileTooLarge == ERROR_FILE_TOO_LARGE);

// A name no file can have.
bool IsImpossiblePath(const std::u16string& path) {
  if (path.find(u'\0') == std::u16string::npos) return false;
  ::SetLastError(ERROR_INVALID_NAME);
  return true;
}

uint64_t Combine(DWORD high, DWORD low) {
  return (static_cast<uint64_t>(high) << 32) | low;
}

class HandleFile final : public ReadableFile {
 public:
  explicit HandleFile(HANDLE handle) : file_(handle) {}

  int64_t Read(void* buffer, size_t size) override {
    if (buffer == nullptr && size != 0) {
      ::SetLastError(ERROR_INVALID_PARAMETER);
      return -1;
    }
    const DWORD request = static_cast<DWORD>(std::min<size_t>(size, kLargestTransfer));
    DWORD count = 0;
    if (!::ReadFile(file_.get(), buffer, request, &count, nullptr)) return -1;
    return count;
  }

 private:
  win32::UniqueHandle file_;
};

}  // namespace

bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>* contents) {
  if (contents == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (IsImpossiblePath(path)) return false;
  win32::UniqueHandle file(OpenToRead(path));
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return false;
  std::vector<uint8_t> data;
  data.reserve(static_cast<size_t>(size.QuadPart));
  if (!ReadToEnd(file.get(), std::numeric_limits<uint64_t>::max(), &data)) return false;
  *contents = std::move(data);
  return true;
}

bool ReadRegularFile(std::u16string_view pathView, uint64_t limit, FileBytes* contents) {
  if (contents == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const std::u16string path(pathView);  // the system takes names that end in a NUL
  if (IsImpossiblePath(path)) return false;
  win32::UniqueHandle file(OpenDiskFile(path));
  if (!file.valid()) return false;
  LARGE_INTEGER status{};
  if (!::GetFileSizeEx(file.get(), &status)) return false;
  const auto size = static_cast<uint64_t>(status.QuadPart);
  if (size > limit || size > std::numeric_limits<size_t>::max()) {
    ::SetLastError(ERROR_FILE_TOO_LARGE);
    return false;
  }
  // Straight into a buffer of the size the file has now, left unzeroed since the read
  // fills it; a file cut short meanwhile ends the read early.
  FileBytes data(static_cast<size_t>(size));
  size_t filled = 0;
  while (filled < data.size()) {
    const DWORD request =
        static_cast<DWORD>(std::min<size_t>(data.size() - filled, kLargestTransfer));
    DWORD count = 0;
    if (!::ReadFile(file.get(), data.data() + filled, request, &count, nullptr)) return false;
    if (count == 0) break;
    filled += count;
  }
  data.resize(filled);
  // The load takes the file as it was when opened: once the size found then has been
  // read, nothing more is asked for, which spares a read that would only find the end.
  // A file that claimed no bytes (some system files do, and give more) is read to its end,
  // but not past the limit.
  if (size == 0 && !ReadToEnd(file.get(), limit, &data)) return false;
  *contents = std::move(data);
  return true;
}

bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& contents) {
  if (IsImpossiblePath(path)) return false;
  // Sharing reading lets the file be rewritten while others read it (they share reading
  // and writing), as it can be on POSIX systems.
  win32::UniqueHandle file(::CreateFileW(win32::Wide(path), GENERIC_WRITE, FILE_SHARE_READ,
                                         nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                         nullptr));
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

bool GetFileIdentity(const std::u16string& path, FileIdentity* identity) {
  if (identity == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (IsImpossiblePath(path)) return false;
  // Opened for its attributes only, sharing everything, so that asking gets in no one's
  // way. Without FILE_FLAG_BACKUP_SEMANTICS a folder is refused with "access denied".
  win32::UniqueHandle file(::CreateFileW(win32::Wide(path), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(file.get(), &information)) return false;
  identity->volume = information.dwVolumeSerialNumber;
  identity->fileId = Combine(information.nFileIndexHigh, information.nFileIndexLow);
  identity->size = Combine(information.nFileSizeHigh, information.nFileSizeLow);
  identity->lastWriteTime = static_cast<int64_t>(Combine(
      information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime));
  return true;
}

std::unique_ptr<ReadableFile> OpenForSharedReading(const std::u16string& path) {
  if (IsImpossiblePath(path)) return nullptr;
  HANDLE handle = OpenDiskFile(path);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<HandleFile>(handle);
}

bool IsRegularFile(const std::u16string& path) {
  if (IsImpossiblePath(path)) return false;
  const DWORD attributes = ::GetFileAttributesW(win32::Wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) return false;
  win32::UniqueHandle file(::CreateFileW(win32::Wide(path), FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && ::GetFileType(file.get()) == FILE_TYPE_DISK;
}

}  // namespace kx::platform
